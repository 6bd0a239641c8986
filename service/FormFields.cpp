#include "service/FormFields.h"

#include "service/Utf8CodePage949.h"

#include <algorithm>

std::string Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Standard form decoding: "+" is a blank, "%XX" a byte; a "%" without two hex digits stays.
static std::string PercentDecoded(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            bytes += ' ';
        } else if (c == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
                   HexDigit(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            bytes += c;
        }
    }
    return bytes;
}

static bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

FormFields::ParseResult FormFields::Parse(std::string_view body)
{
    fields_.clear();
    while (!body.empty() && body.back() == '\0')
        body.remove_suffix(1);
    if (std::count(body.begin(), body.end(), '&') >= static_cast<long>(MaxFields))
        return ParseResult::TooManyFields;
    while (!body.empty()) {
        const std::size_t end = std::min(body.find('&'), body.size());
        const std::string_view pair = body.substr(0, end);
        body.remove_prefix(std::min(end + 1, body.size()));
        const std::size_t equals = std::min(pair.find('='), pair.size());
        std::string name, value;
        if (!CodePage949ToUtf8(PercentDecoded(pair.substr(0, equals)), name) ||
            !CodePage949ToUtf8(PercentDecoded(pair.substr(std::min(equals + 1, pair.size()))),
                               value))
            return ParseResult::NotCodePage949;
        fields_.emplace_back(Trimmed(name), Trimmed(value));
    }
    return ParseResult::Ok;
}

std::string FormFields::Value(std::string_view name) const
{
    for (const auto& [fieldName, value] : fields_)
        if (SameName(fieldName, name))
            return value;
    return {};
}

bool FormFields::Has(std::string_view name) const
{
    return std::any_of(fields_.begin(), fields_.end(),
                       [&](const auto& field) { return SameName(field.first, name); });
}
