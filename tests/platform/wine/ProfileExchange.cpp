#include "tests/platform/wine/ProfileExchange.h"

#include "platform/win32/WideText.h"
#include "tests/platform/wine/Check.h"
#include "tests/platform/wine/ProfileCases.h"

#include <span>
#include <vector>
#include <windows.h>

using platform::Utf8FromWide;
using platform::WideFromUtf8;

namespace {

std::span<const ProfileEntry> Table(const std::string& name)
{
    if (name == "exchanged")
        return ExchangedLookups;
    if (name == "guarded")
        return GuardedEntries;
    if (name == "handwritten")
        return HandWrittenLookups;
    return {};
}

std::string ProfileString(const std::string& file, const ProfileEntry& entry)
{
    wchar_t value[1024] = {};
    const DWORD length = GetPrivateProfileStringW(
        WideFromUtf8(entry.section).c_str(), WideFromUtf8(entry.key).c_str(),
        WideFromUtf8(MissingValue).c_str(), value, 1024, WideFromUtf8(file).c_str());
    return Utf8FromWide(value, length);
}

std::string Named(const ProfileEntry& entry)
{
    return std::string("[") + entry.section + "] " + entry.key;
}

} // namespace

int ReadProfileTable(const std::string& file, const std::string& table)
{
    const std::span<const ProfileEntry> entries = Table(table);
    std::vector<Check> checks;
    checks.push_back({"table " + table, [entries] { return Expect(!entries.empty(), "unknown"); }});
    for (const ProfileEntry& entry : entries) {
        checks.push_back({"profile read " + Named(entry), [file, entry] {
                              const std::string value = ProfileString(file, entry);
                              return Expect(value == entry.value, "reads \"" + value + "\"");
                          }});
    }
    return RunChecks(checks);
}

int WriteExchangedEntries(const std::string& file)
{
    std::vector<Check> checks;
    for (const ProfileEntry& entry : ExchangedEntries) {
        checks.push_back({"profile write " + Named(entry), [file, entry] {
                              return Expect(
                                  WritePrivateProfileStringW(WideFromUtf8(entry.section).c_str(),
                                                             WideFromUtf8(entry.key).c_str(),
                                                             WideFromUtf8(entry.value).c_str(),
                                                             WideFromUtf8(file).c_str()) != 0,
                                  "refused");
                          }});
    }
    return RunChecks(checks);
}
