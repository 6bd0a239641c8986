#include "platform/CodePage949.h"

#include <algorithm>
#include <iterator>
#include <windows.h>

namespace platform {

namespace {

constexpr UINT CodePage = 949;
constexpr char16_t Replacement = u'\xFFFD';
// The character that the code page writes as the byte 0xFF; some versions of the system's table
// do not read it back.
constexpr char16_t LastByteCharacter = u'\xF8F7';

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
    if (first == 0xFF)
        return {std::u16string(1, LastByteCharacter), taken, true};
    std::u16string text =
        IsLeadByte(first) && !paired ? std::u16string() : Strict(bytes.substr(0, taken));
    if (text.empty())
        return {std::u16string(1, Replacement), taken, false};
    return {text, taken, true};
}

struct Encoding
{
    std::string bytes;
    bool exact;
};

Encoding Encoded(std::u16string_view text)
{
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

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code units of the character at the start of text: a surrogate pair, or one unit.
std::size_t CharacterUnits(std::u16string_view text)
{
    return text.size() > 1 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]) ? 2 : 1;
}

// A half of a surrogate pair without its other half; the system converts it to nothing.
bool IsSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

bool HasLoneSurrogate(std::u16string_view text)
{
    for (std::size_t units = 0; !text.empty(); text.remove_prefix(units)) {
        units = CharacterUnits(text);
        if (units == 1 && IsSurrogate(text[0]))
            return true;
    }
    return false;
}

char32_t CodePoint(std::u16string_view character)
{
    if (character.size() == 2)
        return 0x10000 + ((char32_t(character[0]) - 0xD800) << 10) +
               (char32_t(character[1]) - 0xDC00);
    return character[0];
}

// Characters without a code that are left out rather than written as '?', as ICU's converter
// does: the invisible ones (joiners, marks of direction, variation selectors, fillers), Unicode's
// default-ignorable code points.
bool IsLeftOut(char32_t c)
{
    static constexpr std::pair<char32_t, char32_t> ranges[] = {
        {0x034F, 0x034F}, {0x061C, 0x061C},   {0x115F, 0x1160},   {0x17B4, 0x17B5},
        {0x180B, 0x180F}, {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x206F},
        {0xD800, 0xDFFF}, {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},
        {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
    };
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [c](const auto& range) { return c >= range.first && c <= range.second; });
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
    Encoding whole = Encoded(text);
    if (whole.exact && !HasLoneSurrogate(text))
        return {whole.bytes, true};
    std::string bytes;
    while (!text.empty()) {
        const std::size_t units = CharacterUnits(text);
        const char32_t character = CodePoint(text.substr(0, units));
        if (IsSurrogate(character)) {
            bytes += '?';
        } else if (!IsLeftOut(character)) {
            const Encoding one = Encoded(text.substr(0, units));
            bytes += one.exact ? one.bytes : std::string("?");
        }
        text.remove_prefix(units);
    }
    return {bytes, false};
}

} // namespace platform
