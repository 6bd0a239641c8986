#include "service/ServiceOptions.h"

#include <charconv>

static bool ParseNumber(const std::string& text, std::int64_t& number)
{
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), number);
    return code == std::errc() && end == text.data() + text.size();
}

static bool ParsePositive(const std::string& text, double& number)
{
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), number);
    return code == std::errc() && end == text.data() + text.size() && number > 0;
}

static bool ParseListen(const std::string& text, ServiceOptions& options)
{
    const std::size_t colon = text.rfind(':');
    std::int64_t port = 0;
    if (colon == std::string::npos || colon == 0 || !ParseNumber(text.substr(colon + 1), port) ||
        port < 0 || port > 65535)
        return false;
    options.host = text.substr(0, colon);
    options.port = static_cast<int>(port);
    return true;
}

std::optional<ServiceOptions> ParseOptions(const std::vector<std::string>& arguments,
                                           const std::string& defaultHolidays, std::string& error)
{
    ServiceOptions options;
    options.holidays = defaultHolidays;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        if (argument == "--demo") {
            options.demo = true;
        } else if (argument == "requests") {
            options.printRequests = true;
        } else if (hasValue && argument == "--listen") {
            if (!ParseListen(arguments[++i], options)) {
                error = "--listen wants HOST:PORT";
                return std::nullopt;
            }
        } else if (hasValue && argument == "--db") {
            options.database = arguments[++i];
        } else if (hasValue && argument == "--update-dir") {
            options.updateDir = arguments[++i];
        } else if (hasValue && argument == "--holidays") {
            options.holidays = arguments[++i];
        } else if (hasValue && argument == "--keep-days") {
            if (!ParsePositive(arguments[++i], options.keepDays) || options.keepDays > 36500) {
                error = "--keep-days wants a number of days above 0, at most 36500";
                return std::nullopt;
            }
        } else if (hasValue && argument == "--connections-per-address") {
            std::int64_t count = 0;
            if (!ParseNumber(arguments[++i], count) || count < 1 || count > 1000) {
                error = "--connections-per-address wants a number from 1 to 1000";
                return std::nullopt;
            }
            options.connectionsPerAddress = static_cast<int>(count);
        } else if (hasValue && argument == "--since") {
            if (!ParseNumber(arguments[++i], options.since)) {
                error = "--since wants a number";
                return std::nullopt;
            }
        } else {
            error = "unknown or incomplete argument: " + argument;
            return std::nullopt;
        }
    }
    if (options.database.empty()) {
        error = "--db is required";
        return std::nullopt;
    }
    if (!options.printRequests && options.updateDir.empty()) {
        error = "--update-dir is required";
        return std::nullopt;
    }
    return options;
}
