#include "service/Utf8CodePage949.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

// ICU's "windows-949" is the full code page 949; its "CP949" lacks the extra syllables.
static constexpr const char* CodePage = "windows-949";

// Bytes below 0x80 are the same characters in code page 949 and UTF-8; most fields and answers
// hold nothing else and skip opening a converter.
static bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Utf8ToCodePage949(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    QStringEncoder encoder(CodePage);
    const QByteArray bytes =
        encoder.encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return bytes.toStdString();
}

bool CodePage949ToUtf8(std::string_view bytes, std::string& utf8)
{
    if (IsAscii(bytes)) {
        utf8 = bytes;
        return true;
    }
    QStringDecoder decoder(CodePage, QStringConverter::Flag::Stateless);
    const QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // A cut-off last character shows only as a replacement character, which no code page 949
    // byte sequence stands for.
    if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
        return false;
    utf8 = text.toStdString();
    return true;
}
