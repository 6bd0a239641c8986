#include "tests/update/TestSigning.h"

#include "update/PackageSignature.h"

#include <QCryptographicHash>
#include <QFile>
#include <array>
#include <sodium.h>

namespace {

// The key pair from the seed that ends the key file's DER form.
std::array<unsigned char, crypto_sign_SECRETKEYBYTES> SecretKey()
{
    QFile pem(QStringLiteral(QUILLANE_TEST_DATA "/update/test-update-key.pem"));
    pem.open(QIODevice::ReadOnly);
    const QByteArray der = QByteArray::fromBase64(pem.readAll().split('\n').value(1));
    const QByteArray seed = der.right(crypto_sign_SEEDBYTES);
    std::array<unsigned char, crypto_sign_PUBLICKEYBYTES> publicKey{};
    std::array<unsigned char, crypto_sign_SECRETKEYBYTES> secretKey{};
    if (sodium_init() < 0 || seed.size() != crypto_sign_SEEDBYTES)
        return secretKey;
    crypto_sign_seed_keypair(publicKey.data(), secretKey.data(),
                             reinterpret_cast<const unsigned char*>(seed.data()));
    return secretKey;
}

} // namespace

QByteArray TestSignatureFor(const QByteArray& package, qint64 version)
{
    static const auto secretKey = SecretKey();
    const QByteArray manifest = PackageManifest(
        version, QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex());
    std::array<unsigned char, crypto_sign_BYTES> signature{};
    crypto_sign_detached(signature.data(), nullptr,
                         reinterpret_cast<const unsigned char*>(manifest.data()),
                         quint64(manifest.size()), secretKey.data());
    return manifest + "signature=" +
           QByteArray(reinterpret_cast<const char*>(signature.data()), qsizetype(signature.size()))
               .toBase64() +
           '\n';
}
