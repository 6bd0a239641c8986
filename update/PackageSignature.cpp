#include "update/PackageSignature.h"

#include "update/VersionNumber.h"

#include <QCryptographicHash>
#include <QList>
#include <QString>
#include <sodium.h>

namespace {

QByteArray ValueAfter(const QByteArray& line, const QByteArray& key)
{
    return line.startsWith(key + '=') ? line.mid(key.size() + 1) : QByteArray();
}

bool SignatureHolds(const QByteArray& signature, const QByteArray& manifest,
                    const QByteArray& publicKey)
{
    return signature.size() == crypto_sign_BYTES &&
           crypto_sign_verify_detached(
               reinterpret_cast<const unsigned char*>(signature.data()),
               reinterpret_cast<const unsigned char*>(manifest.data()), quint64(manifest.size()),
               reinterpret_cast<const unsigned char*>(publicKey.data())) == 0;
}

} // namespace

QByteArray PackageManifest(qint64 version, const QByteArray& packageSha256Hex)
{
    return "version=" + QByteArray::number(version) + "\nsha256=" + packageSha256Hex + '\n';
}

std::optional<qint64> SignedPackageVersion(const QByteArray& signatureFile,
                                           const QByteArray& package, const QByteArray& publicKey)
{
    if (publicKey.size() != crypto_sign_PUBLICKEYBYTES ||
        signatureFile.size() > LargestSignatureFile || sodium_init() < 0)
        return std::nullopt;
    const QList<QByteArray> lines = signatureFile.split('\n');
    if (lines.size() < 3)
        return std::nullopt;
    const QByteArray manifest = lines[0] + '\n' + lines[1] + '\n';
    const QByteArray signature = QByteArray::fromBase64(ValueAfter(lines[2], "signature"),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!SignatureHolds(signature, manifest, publicKey))
        return std::nullopt;
    const QByteArray packageSha256 =
        QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex();
    if (ValueAfter(lines[1], "sha256") != packageSha256)
        return std::nullopt;
    return VersionNumber(QString::fromLatin1(ValueAfter(lines[0], "version")));
}
