#include "platform/CodePage949.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {

// ICU's "windows-949" is the full code page 949; its "CP949" lacks the extra syllables.
constexpr const char* CodePage = "windows-949";

} // namespace

CodePage949Text DecodeCodePage949(std::string_view bytes)
{
    // A stateless decoder drops a lead byte left at the end; a line feed after it, which is
    // never a trail byte, makes it read as the invalid sequence it is.
    QByteArray terminated(bytes.data(), static_cast<qsizetype>(bytes.size()));
    terminated.append('\n');
    QStringDecoder decoder(CodePage, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(terminated);
    text.chop(1);
    return {text.toStdU16String(), !decoder.hasError()};
}

CodePage949Bytes EncodeCodePage949(std::u16string_view text)
{
    // Likewise a high surrogate at the end, which then is written as '?' as anywhere else.
    QString terminated =
        QStringView(text.data(), static_cast<qsizetype>(text.size())).toString() + u'\n';
    QStringEncoder encoder(CodePage, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(terminated);
    bytes.chop(1);
    return {bytes.toStdString(), !encoder.hasError()};
}

} // namespace platform
