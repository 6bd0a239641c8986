#include "PackageSignature.h"

#include "VersionNumber.h"

#include <QCryptographicHash>
#include <QFile>
#include <sodium.h>

namespace {

// A signature file is a few lines; anything larger is no signature file.
constexpr qint64 LargestSignatureFile = 4096;

QByteArray Sha256Hex(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QByteArray ValueAfter(const QByteArray& line, const QByteArray& key)
{
    return line.startsWith(key + '=') ? line.mid(key.size() + 1) : QByteArray();
}

} // namespace

QByteArray PackageManifest(qint64 version, const QByteArray& packageSha256Hex)
{
    return "version=" + QByteArray::number(version) + "\nsha256=" + packageSha256Hex + '\n';
}

bool PackageSignatureHolds(const QString& signatureFile, const QString& package, qint64 version,
                           const QByteArray& publicKey)
{
    QFile file(signatureFile);
    if (publicKey.size() != crypto_sign_PUBLICKEYBYTES || !file.open(QIODevice::ReadOnly) ||
        file.size() > LargestSignatureFile || sodium_init() < 0)
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.size() < 3)
        return false;
    const std::optional<qint64> signedVersion =
        VersionNumber(QString::fromLatin1(ValueAfter(lines[0], "version")));
    const QByteArray signedSha256 = ValueAfter(lines[1], "sha256");
    const QByteArray signature = QByteArray::fromBase64(ValueAfter(lines[2], "signature"),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray manifest = lines[0] + '\n' + lines[1] + '\n';
    if (signature.size() != crypto_sign_BYTES ||
        crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.data()),
                                    reinterpret_cast<const unsigned char*>(manifest.data()),
                                    quint64(manifest.size()),
                                    reinterpret_cast<const unsigned char*>(publicKey.data())) != 0)
        return false;
    return signedVersion == version && !signedSha256.isEmpty() &&
           signedSha256 == Sha256Hex(package);
}
