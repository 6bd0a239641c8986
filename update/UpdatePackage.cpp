#include "update/UpdatePackage.h"

#include "update/PackageSignature.h"
#include "update/VersionNumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

std::optional<QByteArray> ReadUpdateFile(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isJunction() || !info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<qint64> VouchedVersion(const QByteArray& package, const QString& updateFolder,
                                     const QByteArray& publicKey)
{
    const QDir folder(updateFolder);
    if (publicKey.isEmpty()) {
        const std::optional<QByteArray> handedOver =
            ReadUpdateFile(folder.filePath(HandoverFileName), 64);
        return handedOver ? VersionNumber(QString::fromLatin1(*handedOver)) : std::nullopt;
    }
    const std::optional<QByteArray> signature =
        ReadUpdateFile(folder.filePath(SignatureFileName), LargestSignatureFile);
    return signature ? SignedPackageVersion(*signature, package, publicKey) : std::nullopt;
}
