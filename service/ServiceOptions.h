#pragma once

#include "service/ConnectionLimits.h"
#include "service/Retention.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line: "--listen HOST:PORT --db PATH --update-dir DIR [--demo] [--holidays CSV]
// [--keep-days DAYS] [--connections-per-address N]" to serve, "--db PATH requests [--since N]"
// to print the request log, or "--help".
struct ServiceOptions
{
    std::string host = "127.0.0.1";
    int port = 8949;
    std::string database;
    std::string updateDir;
    std::string holidays;
    bool demo = false;
    bool printRequests = false;
    bool help = false;
    // Days the request log and the presence history keep (fractions allowed).
    double keepDays = DefaultKeepDays;
    int connectionsPerAddress = ConnectionLimits{}.perAddress;
    std::int64_t since = 0;
};

// The options, or an error text in error. "--help" (or "-h") anywhere asks for the help text
// alone: nothing else is required then.
std::optional<ServiceOptions> ParseOptions(const std::vector<std::string>& arguments,
                                           const std::string& defaultHolidays, std::string& error);

inline constexpr const char* UsageText =
    "usage: quillane-service --listen HOST:PORT --db PATH --update-dir DIR [--demo]"
    " [--holidays CSV]\n"
    "       [--keep-days DAYS] [--connections-per-address N]\n"
    "       quillane-service --db PATH requests [--since N]\n";

inline constexpr const char* HelpText =
    "\n"
    "  --listen HOST:PORT    address to serve on (default 127.0.0.1:8949)\n"
    "  --db PATH             the SQLite database, made when missing\n"
    "  --update-dir DIR      folder of the update list and downloads\n"
    "  --demo                load the demo members into a new database\n"
    "  --holidays CSV        holiday calendar (default holidays.csv beside the program)\n"
    "  --keep-days DAYS      days the request log and presence history keep (default 30)\n"
    "  --connections-per-address N\n"
    "                        connections one address may hold at a time, 1 to 1000 (default 16)\n"
    "  requests [--since N]  print the request log after row N as JSON lines\n"
    "  --help, -h            print this text\n";
