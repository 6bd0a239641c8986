#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Code page 949 text (the settings file, the service's pages and forms), the same on every
// operating system.

// Invalid byte sequences read as U+FFFD.
QString FromKoreanCodePage(QByteArrayView bytes);
bool IsKoreanCodePage(QByteArrayView bytes);

// Characters that code page 949 has no code for are written as '?'.
QByteArray ToKoreanCodePage(QStringView text);
// Nothing when a character has no code.
std::optional<QByteArray> ToKoreanCodePageExactly(QStringView text);
