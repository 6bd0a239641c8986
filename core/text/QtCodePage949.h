#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Code page 949 for Qt's strings: the settings file, the service's pages and forms. The same on
// every operating system; the conversion itself is the platform's (DecodeCodePage949,
// EncodeCodePage949).

// Invalid byte sequences read as U+FFFD.
QString FromCodePage949(QByteArrayView bytes);
bool IsCodePage949(QByteArrayView bytes);

// Characters that code page 949 has no code for are written as '?'.
QByteArray ToCodePage949(QStringView text);
// Nothing when a character has no code.
std::optional<QByteArray> ToCodePage949Exactly(QStringView text);
