#include "CodePage949.h"

#include <windows.h>

namespace platform {

namespace {

constexpr UINT CodePage = 949;
constexpr char16_t Replacement = u'\xFFFD';

bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// The bytes that may follow a lead byte; another byte ends the sequence and is read anew.
bool IsTrailByte(unsigned char byte)
{
    return (byte >= 0x41 && byte <= 0x5A) || (byte >= 0x61 && byte <= 0x7A) ||
           (byte >= 0x81 && byte <= 0xFE);
}

// The characters of bytes that are wholly valid, or an empty result when any is not.
std::u16string Strict(std::string_view bytes)
{
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes.data(), size,
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

struct Sequence
{
    std::u16string text;
    std::size_t taken;
    bool valid;
};

// The sequence at the start of bytes. An invalid one reads as U+FFFD; a lead byte followed by
// no trail byte takes itself only, so that the next byte is read anew.
Sequence FirstSequence(std::string_view bytes)
{
    const auto first = static_cast<unsigned char>(bytes[0]);
    const bool paired =
        IsLeadByte(first) && bytes.size() > 1 && IsTrailByte(static_cast<unsigned char>(bytes[1]));
    const std::size_t taken = paired ? 2 : 1;
    std::u16string text =
        IsLeadByte(first) && !paired ? std::u16string() : Strict(bytes.substr(0, taken));
    if (text.empty())
        return {std::u16string(1, Replacement), taken, false};
    return {text, taken, true};
}

} // namespace

CodePage949Text DecodeCodePage949(std::string_view bytes)
{
    if (bytes.empty())
        return {{}, true};
    std::u16string whole = Strict(bytes);
    if (!whole.empty())
        return {whole, true};
    std::u16string text;
    bool exact = true;
    while (!bytes.empty()) {
        const Sequence sequence = FirstSequence(bytes);
        text += sequence.text;
        exact = exact && sequence.valid;
        bytes.remove_prefix(sequence.taken);
    }
    return {text, exact};
}

CodePage949Bytes EncodeCodePage949(std::u16string_view text)
{
    if (text.empty())
        return {{}, true};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, "?", nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    BOOL defaulted = FALSE;
    WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), length, "?",
                        &defaulted);
    return {bytes, defaulted == FALSE};
}

} // namespace platform
