#pragma once

#include "HttpClient.h"

#include <QStringList>

// Finds the first line of the update list that holds the wanted name in one of its fields
// (ASCII letters without regard to case, also inside a longer name) and downloads the listed
// file from baseUrl + "/" + its name into folder + its name, then stamps the file with the
// listed time (local time, to the even second below). The answer is the number of bytes stored;
// 0 when no line holds the name (silently), when the line's fields are not a plain file name,
// a number and a date and time ("예상하지 못한 에러가 발생하였습니다."), or when the server answers
// with an error status ("<name> 파일을 찾을 수 없습니다."); -1 when the connection was closed
// twice (the network message) or the download failed otherwise (the system-error message with
// the failure's text). A retried download starts the file afresh, so it never holds more than
// one copy. localPath is the file the caller opens afterwards; it is the stored file when the
// listed name equals the wanted one.
qint64 DownloadListedFile(HttpClient& client, const QStringList& list, const QString& baseUrl,
                          const QString& wanted, const QString& localPath, const QString& folder);
