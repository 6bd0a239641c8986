#pragma once

#include "update/HttpClient.h"

#include <QStringList>

// Finds the first line of the update list that lists the wanted file (its name field is the
// wanted name, letters without regard to case) and downloads the file from baseUrl + "/" + its
// listed name into localPath, a file in folder (made when missing), then stamps the file with
// the listed time (local time, to the even second below). Only the files the update asks for are
// stored, and only under the names it asks for. The answer is the number of bytes stored;
// 0 when no line holds the name (silently), when the line's fields are not a plain file name,
// a number and a date and time ("예상하지 못한 에러가 발생하였습니다."), or when the server answers
// with an error status ("<name> 파일을 찾을 수 없습니다."); -1 when the connection was closed
// twice (the network message) or the download failed otherwise (the system-error message with
// the failure's text). A retried download starts the file afresh, so it never holds more than
// one copy, and a download that did not arrive whole is removed. The whole answer must arrive
// within the request time-out, or for a large file within the time it takes at 32 KiB/s, and
// may have at most maxBytes: a larger declared length fails the download before its body.
qint64 DownloadListedFile(HttpClient& client, const QStringList& list, const QString& baseUrl,
                          const QString& wanted, const QString& localPath, const QString& folder,
                          qint64 maxBytes);
