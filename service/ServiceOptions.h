#pragma once

#include "ConnectionLimits.h"
#include "Retention.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line: "--listen HOST:PORT --db PATH --update-dir DIR [--demo] [--holidays CSV]
// [--keep-days DAYS] [--connections-per-address N]" to serve, or "--db PATH requests
// [--since N]" to print the request log.
struct ServiceOptions
{
    std::string host = "127.0.0.1";
    int port = 8949;
    std::string database;
    std::string updateDir;
    std::string holidays;
    bool demo = false;
    bool printRequests = false;
    // Days the request log and the presence history keep (fractions allowed).
    double keepDays = DefaultKeepDays;
    int connectionsPerAddress = ConnectionLimits{}.perAddress;
    std::int64_t since = 0;
};

// The options, or an error text in error.
std::optional<ServiceOptions> ParseOptions(const std::vector<std::string>& arguments,
                                           const std::string& defaultHolidays, std::string& error);

inline constexpr const char* UsageText =
    "usage: quillane-service --listen HOST:PORT --db PATH --update-dir DIR [--demo]"
    " [--holidays CSV]\n"
    "       [--keep-days DAYS] [--connections-per-address N]\n"
    "       quillane-service --db PATH requests [--since N]\n";
