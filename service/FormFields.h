#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A posted form body as the program sends it: code page 949, "name   =value" pairs joined by "&",
// blanks before "=" in the names, values percent-decoded, one trailing zero byte.
class FormFields
{
public:
    enum class ParseResult
    {
        Ok,
        NotCodePage949,
        TooManyFields
    };

    // Forms with more fields than this are refused; no page takes more than about forty.
    static constexpr std::size_t MaxFields = 256;

    ParseResult Parse(std::string_view body);

    // The value of the first field of that name (names without regard to ASCII case), trimmed;
    // empty when the field is missing.
    std::string Value(std::string_view name) const;
    bool Has(std::string_view name) const;

private:
    std::vector<std::pair<std::string, std::string>> fields_;
};

// Characters with codes 0 to 32 removed at both ends.
std::string Trimmed(std::string_view text);
