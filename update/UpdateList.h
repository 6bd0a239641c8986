#pragma once

#include <QDateTime>
#include <QStringList>
#include <optional>

// One line of the update list: the file's name on the server, its number and its time.
struct TDownFileRec
{
    QString FileName;
    qint32 FileNumber = 0;
    QDateTime FileTime;
};

// The lines of the list's answer: split at CR LF, CR or LF; a line break at the end opens no
// further line.
QStringList UpdateListLines(const QString& text);

// The first line that lists the wanted file: its first tab-separated field is the wanted name
// (letters without regard to case); nothing when no line does. A longer name that merely holds
// the wanted one lists another file.
std::optional<QString> FirstLineListing(const QStringList& list, const QString& wanted);

// The record of a list line: a plain file name, a 32-bit number and a date and time (with or
// without seconds, or a date alone), separated by tabs. Nothing when a field is missing or not of
// its kind; a name that is not a plain file name (a separator, "..") would store the download
// elsewhere and is refused too.
std::optional<TDownFileRec> ListedFileRecord(const QString& line);
