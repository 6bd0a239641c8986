#include "tests/platform/wine/CodePageTable.h"

#include "platform/CodePage949.h"
#include "tests/platform/wine/ProbeOutput.h"

#include <fstream>
#include <sstream>

namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char byte : bytes) {
        hex += digits[static_cast<unsigned char>(byte) >> 4];
        hex += digits[static_cast<unsigned char>(byte) & 0xF];
    }
    return hex.empty() ? "-" : hex;
}

std::string Hex(const std::u16string& units)
{
    std::string bytes;
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return Hex(bytes);
}

std::string Bytes(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::u16string Units(const std::string& hex)
{
    const std::string bytes = Bytes(hex);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                       static_cast<unsigned char>(bytes[i + 1]));
    return units;
}

// What this side makes of a line's input, in the line's own form.
std::string Converted(const std::string& kind, const std::string& input)
{
    if (kind == "D") {
        const platform::CodePage949Text decoded = platform::DecodeCodePage949(Bytes(input));
        return Hex(decoded.text) + (decoded.exact ? " 1" : " 0");
    }
    const platform::CodePage949Bytes encoded = platform::EncodeCodePage949(Units(input));
    return Hex(encoded.bytes) + (encoded.exact ? " 1" : " 0");
}

} // namespace

int CheckCodePageTable(const std::string& file)
{
    std::ifstream table(file);
    int lines = 0;
    int differing = 0;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string kind, input, output, exact;
        fields >> kind >> input >> output >> exact;
        const std::string expected = output + ' ' + exact;
        const std::string found = Converted(kind, input);
        ++lines;
        if (found == expected)
            continue;
        if (++differing <= 20)
            Print(kind + ' ' + input + ": " + found + " where Linux has " + expected + '\n');
    }
    Print(std::to_string(lines) + " conversions, " + std::to_string(differing) + " differ\n");
    return lines == 0 ? 1 : differing;
}
