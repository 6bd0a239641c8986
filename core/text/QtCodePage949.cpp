#include "core/text/QtCodePage949.h"

#include "platform/CodePage949.h"

namespace {

platform::CodePage949Text Decoded(QByteArrayView bytes)
{
    return platform::DecodeCodePage949(
        std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
}

platform::CodePage949Bytes Encoded(QStringView text)
{
    return platform::EncodeCodePage949(
        std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}

} // namespace

QString FromCodePage949(QByteArrayView bytes)
{
    return QString::fromStdU16String(Decoded(bytes).text);
}

bool IsCodePage949(QByteArrayView bytes)
{
    return Decoded(bytes).exact;
}

QByteArray ToCodePage949(QStringView text)
{
    return QByteArray::fromStdString(Encoded(text).bytes);
}

std::optional<QByteArray> ToCodePage949Exactly(QStringView text)
{
    platform::CodePage949Bytes encoded = Encoded(text);
    if (!encoded.exact)
        return std::nullopt;
    return QByteArray::fromStdString(encoded.bytes);
}
