#include "DownloadListedFile.h"

#include "MessageBox.h"
#include "ZipEntryName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

namespace {

// The date and time formats of the list's third field, with and without seconds, and a date
// alone (midnight).
const QStringList TimeFormats = {
    QStringLiteral("yyyy-MM-dd H:mm:ss"),
    QStringLiteral("yyyy-MM-dd H:mm"),
    QStringLiteral("yyyy-MM-dd"),
};

void Show(const QString& text)
{
    ShowMessage({.text = text, .caption = {}});
}

bool LineHolds(const QString& line, const QString& wanted)
{
    QString fields = line;
    fields.replace(u'\t', u'\n');
    return fields.toUpper().contains(wanted.toUpper());
}

std::optional<qint32> Integer(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

std::optional<QDateTime> DateTime(const QString& text)
{
    for (const QString& format : TimeFormats) {
        const QDateTime time = QDateTime::fromString(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

// The record of a list line; nothing when a field is missing or not of its kind. A name that
// is not a plain file name (a separator, "..") would store the download elsewhere: refused.
std::optional<TDownFileRec> Record(const QString& line)
{
    const QStringList fields = line.split(u'\t');
    if (fields.size() < 3)
        return std::nullopt;
    const std::optional<QString> name = TopLevelFileName(fields[0]);
    const std::optional<qint32> number = Integer(fields[1]);
    const std::optional<QDateTime> time = DateTime(fields[2]);
    if (!name || !number || !time)
        return std::nullopt;
    return TDownFileRec{*name, *number, *time};
}

// The file-date format of the platform counts seconds in twos.
QDateTime ToEvenSecond(const QDateTime& time)
{
    return time.addSecs(-(time.time().second() % 2));
}

// No update file is larger than the largest package that unpacks.
constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

// The GET, once more after a closed connection; the second try starts the file afresh.
HttpResult Fetch(HttpClient& client, const QString& url, QFile& file)
{
    const HttpResult first = client.Get(url, file, MaxFileBytes);
    if (first.kind != HttpResult::Kind::ConnectionClosed)
        return first;
    if (!file.resize(0) || !file.seek(0))
        return {HttpResult::Kind::OtherError, 0, file.errorString()};
    return client.Get(url, file, MaxFileBytes);
}

qint64 Outcome(const HttpResult& result, const TDownFileRec& record, QFile& file)
{
    switch (result.kind) {
    case HttpResult::Kind::Ok:
        file.flush();
        file.setFileTime(ToEvenSecond(record.FileTime), QFileDevice::FileModificationTime);
        return file.size();
    case HttpResult::Kind::ConnectionClosed:
        Show(QStringLiteral("다운로드중에 네트워크 연결이 끊어졌습니다.\r\n"
                            "네트워크를 점검하신 후 잠시 후에 다시 시도해보십시오."));
        return -1;
    case HttpResult::Kind::HttpError:
        Show(record.FileName + QStringLiteral(" 파일을 찾을 수 없습니다."));
        return 0;
    case HttpResult::Kind::OtherError:
        break;
    }
    Show(QStringLiteral("다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n") + result.errorText);
    return -1;
}

} // namespace

qint64 DownloadListedFile(HttpClient& client, const QStringList& list, const QString& baseUrl,
                          const QString& wanted, const QString& localPath, const QString& folder)
{
    Q_UNUSED(localPath);
    const auto line = std::find_if(list.begin(), list.end(),
                                   [&](const QString& each) { return LineHolds(each, wanted); });
    if (line == list.end())
        return 0;
    const std::optional<TDownFileRec> record = Record(*line);
    if (!record) {
        Show(QStringLiteral("예상하지 못한 에러가 발생하였습니다."));
        return 0;
    }
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(record->FileName);
    // A link planted at the name is replaced, never written through.
    if (QFileInfo(target).isSymLink())
        QFile::remove(target);
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Show(QStringLiteral("다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n") +
             file.errorString());
        return -1;
    }
    const qint64 stored =
        Outcome(Fetch(client, baseUrl + u'/' + record->FileName, file), *record, file);
    file.close();
    return stored;
}
