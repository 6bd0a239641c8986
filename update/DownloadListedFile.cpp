#include "update/DownloadListedFile.h"

#include "core/program/MessageBox.h"
#include "update/UpdateList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

void Show(const QString& text)
{
    ShowMessage({.text = text, .caption = {}});
}

// The file-date format of the platform counts seconds in twos.
QDateTime ToEvenSecond(const QDateTime& time)
{
    return time.addSecs(-(time.time().second() % 2));
}

// A download may take the request time-out, or for a large file the time it takes at 32 KiB/s.
constexpr AnswerDeadline DownloadDeadline{std::chrono::milliseconds::zero(), 32 * 1024};

// The GET, once more after a closed connection; the second try starts the file afresh.
HttpResult Fetch(HttpClient& client, const QString& url, QFile& file, qint64 maxBytes)
{
    const HttpResult first = client.Get(url, file, maxBytes, DownloadDeadline);
    if (first.kind != HttpResult::Kind::ConnectionClosed)
        return first;
    if (!file.resize(0) || !file.seek(0))
        return {HttpResult::Kind::OtherError, 0, file.errorString()};
    return client.Get(url, file, maxBytes, DownloadDeadline);
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
                          const QString& wanted, const QString& localPath, const QString& folder,
                          qint64 maxBytes)
{
    const std::optional<QString> line = FirstLineListing(list, wanted);
    if (!line)
        return 0;
    const std::optional<TDownFileRec> record = ListedFileRecord(*line);
    if (!record) {
        Show(QStringLiteral("예상하지 못한 에러가 발생하였습니다."));
        return 0;
    }
    QDir().mkpath(folder);
    // A link planted at the name is replaced, never written through.
    if (QFileInfo(localPath).isSymLink())
        QFile::remove(localPath);
    QFile file(localPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Show(QStringLiteral("다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n") +
             file.errorString());
        return -1;
    }
    const qint64 stored =
        Outcome(Fetch(client, baseUrl + u'/' + record->FileName, file, maxBytes), *record, file);
    file.close();
    // What was refused or cut off is no download.
    if (stored <= 0)
        file.remove();
    return stored;
}
