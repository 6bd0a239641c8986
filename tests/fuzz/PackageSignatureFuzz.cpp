// Any signature file beside an update package: reading it never fails, and a file that counts as
// vouching for the package signs exactly the package's version and digest, and that version. The
// key is made from a fixed seed, so the seed corpus holds a file it really signed.
#include "update/PackageSignature.h"

#include <QCryptographicHash>
#include <array>
#include <cstddef>
#include <cstdint>
#include <sodium.h>

namespace {

constexpr qint64 Version = 53;
const QByteArray Package = QByteArrayLiteral("QUILLANE_UPDATE");

QByteArray PublicKey()
{
    if (sodium_init() < 0)
        __builtin_trap();
    std::array<unsigned char, crypto_sign_SEEDBYTES> seed{};
    seed.fill(0x51);
    std::array<unsigned char, crypto_sign_PUBLICKEYBYTES> publicKey{};
    std::array<unsigned char, crypto_sign_SECRETKEYBYTES> secretKey{};
    crypto_sign_seed_keypair(publicKey.data(), secretKey.data(), seed.data());
    return QByteArray(reinterpret_cast<const char*>(publicKey.data()), qsizetype(publicKey.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray publicKey = PublicKey();
    static const QByteArray manifest =
        "version=" + QByteArray::number(Version) +
        "\nsha256=" + QCryptographicHash::hash(Package, QCryptographicHash::Sha256).toHex() + '\n';
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<qint64> version = SignedPackageVersion(bytes, Package, publicKey);
    if (version && (*version != Version || !bytes.startsWith(manifest)))
        __builtin_trap();
    return 0;
}
