#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line: "--listen HOST:PORT --db PATH --update-dir DIR [--demo] [--holidays CSV]"
// to serve, or "--db PATH requests [--since N]" to print the request log.
struct ServiceOptions
{
    std::string host = "127.0.0.1";
    int port = 8949;
    std::string database;
    std::string updateDir;
    std::string holidays;
    bool demo = false;
    bool printRequests = false;
    std::int64_t since = 0;
};

// The options, or an error text in error.
std::optional<ServiceOptions> ParseOptions(const std::vector<std::string>& arguments,
                                           const std::string& defaultHolidays, std::string& error);

inline constexpr const char* UsageText =
    "usage: quillane-service --listen HOST:PORT --db PATH --update-dir DIR [--demo]"
    " [--holidays CSV]\n"
    "       quillane-service --db PATH requests [--since N]\n";
