#include "core/settings/Settings.h"

#include "core/settings/FileNameCase.h"
#include "core/settings/IniDocument.h"
#include "core/text/QtCodePage949.h"
#include "platform/FolderSync.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>
#include <mutex>

Q_LOGGING_CATEGORY(lcSettings, "quillane.settings")

namespace {

// Why the bytes are not a code page 949 text, or nullptr when they are.
const char* EncodingProblem(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFE\xFF") ||
        bytes.startsWith("\xFF\xFE"))
        return "starts with a byte-order mark";
    return IsCodePage949(bytes) ? nullptr : "holds bytes that are not code page 949";
}

// A settings file that a text editor saved in UTF-8 reads as if it held other names, as the
// Windows profile functions read it: the pharmacy then looks unregistered. Support sees why in
// one warning per file for the life of the process.
void WarnIfNotCodePage949(const QString& path, const QByteArray& bytes)
{
    static std::mutex mutex;
    static QSet<QString> warned;
    const char* problem = EncodingProblem(bytes);
    const std::lock_guard lock(mutex);
    if (problem == nullptr || warned.contains(path))
        return;
    warned.insert(path);
    qCWarning(lcSettings).noquote()
        << path << problem << "(saved as UTF-8?): its Korean names and values will not be found;"
        << "save it in code page 949 (ANSI / EUC-KR)";
}

std::optional<QByteArray> ReadExistingFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings) << "cannot read" << path << ":" << file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    WarnIfNotCodePage949(path, bytes);
    return bytes;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, bool isNew)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcSettings) << "cannot write" << path << ":" << file.errorString();
        return false;
    }
    // An existing file keeps its permissions; a new one holds the birth number: owner only.
    if (isNew)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(bytes);
    if (!file.commit()) {
        qCWarning(lcSettings) << "cannot write" << path << ":" << file.errorString();
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!platform::SyncFolder(folder.toStdString())) {
        qCWarning(lcSettings) << "cannot sync the folder" << folder;
        return false;
    }
    return true;
}

} // namespace

QString ReadIniString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue)
{
    const QString existing = ExistingFilePath(path);
    if (!QFileInfo(existing).isFile())
        return defaultValue;
    const auto bytes = ReadExistingFile(existing);
    if (!bytes)
        return defaultValue;
    return IniDocument::FromBytes(*bytes).Value(section, key).value_or(defaultValue);
}

bool WriteIniString(const QString& path, const QString& section, const QString& key,
                    const QString& value)
{
    const QString existing = ExistingFilePath(path);
    const bool isNew = !QFileInfo(existing).exists();
    const auto bytes = isNew ? QByteArray() : ReadExistingFile(existing);
    if (!bytes)
        return false;
    IniDocument document = IniDocument::FromBytes(*bytes);
    QString error;
    if (!document.SetValue(section, key, value, error)) {
        qCWarning(lcSettings) << "not written to" << existing << ":" << error;
        return false;
    }
    return ReplaceFile(existing, document.ToBytes(), isNew);
}
