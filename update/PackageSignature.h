#pragma once

#include <QByteArray>
#include <optional>

// An update package is vouched for by a signature file beside it on the server
// ("QUILLANE_UPDATE.sig"): the lines "version=N" and "sha256=HEX" (the package's SHA-256 in
// lower-case hex), each ended by a line feed, are the signed manifest; the line
// "signature=BASE64" carries the Ed25519 signature of those manifest bytes.

// The manifest a release signs for the package of that version.
QByteArray PackageManifest(qint64 version, const QByteArray& packageSha256Hex);

// The version for which the signature file vouches for exactly these package bytes under the
// key; nothing when the file is malformed, its signature does not hold, or it signs another
// package.
std::optional<qint64> SignedPackageVersion(const QByteArray& signatureFile,
                                           const QByteArray& package, const QByteArray& publicKey);

// A signature file is a few lines; anything larger is no signature file.
constexpr qint64 LargestSignatureFile = 4096;
