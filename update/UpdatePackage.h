#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The update's files in its own folder, as the program downloads them and the updater takes
// them: the package, its signature file and the version handed over.
inline const QString PackageFileName = QStringLiteral("QUILLANE_UPDATE.ZIP");
inline const QString SignatureFileName = QStringLiteral("QUILLANE_UPDATE.sig");
inline const QString HandoverFileName = QStringLiteral("handover.version");
// Left by an updater that could not put a version in place, so that the program it starts again
// does not hand over to it at once once more.
inline const QString FailedFileName = QStringLiteral("failed.version");

// The most bytes a package may have.
constexpr qint64 MaxPackageBytes = 512LL * 1024 * 1024;

// The bytes of a plain file (not a link) of at most maxBytes; nothing otherwise. The update
// checks and uses these bytes, never the file again, so a change of the file between the check
// and the use has no effect.
std::optional<QByteArray> ReadUpdateFile(const QString& path, qint64 maxBytes);

// The version for which the package in memory is vouched for: with a key, the version that the
// signature file in the update folder signs for exactly these bytes; without one (a build that
// takes unsigned packages), the version handed over. Nothing when there is none.
std::optional<qint64> VouchedVersion(const QByteArray& package, const QString& updateFolder,
                                     const QByteArray& publicKey);
