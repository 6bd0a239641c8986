#pragma once

#include <QByteArray>
#include <QString>

// An update package is vouched for by a signature file beside it on the server
// ("QUILLANE_UPDATE.sig"): the lines "version=N" and "sha256=HEX" (the package's SHA-256 in
// lower-case hex), each ended by a line feed, are the signed manifest; the line
// "signature=BASE64" carries the Ed25519 signature of those manifest bytes.

// The manifest a release signs for the package of that version.
QByteArray PackageManifest(qint64 version, const QByteArray& packageSha256Hex);

// Whether the signature file holds a valid signature under the key of a manifest that names
// this version and the package's SHA-256. A missing or malformed file answers no.
bool PackageSignatureHolds(const QString& signatureFile, const QString& package, qint64 version,
                           const QByteArray& publicKey);
