#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <string>

// The bytes the program posts for a body typed in UTF-8: code page 949 and one zero byte.
inline std::string FormBody(const std::string& utf8)
{
    QStringEncoder encoder("windows-949");
    return QByteArray(encoder.encode(QString::fromStdString(utf8))).toStdString() + '\0';
}
