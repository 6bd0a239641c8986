#include "service/DemoData.h"
#include "service/RequestLog.h"
#include "service/Retention.h"
#include "service/ServiceOptions.h"
#include "service/ServiceServer.h"
#include "service/Statement.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

ServiceServer* RunningServer = nullptr;

void StopOnSignal(int)
{
    if (RunningServer)
        RunningServer->Stop();
}

int Serve(const ServiceOptions& options, ServiceStore& store)
{
    ServiceContext context{store, {}, options.updateDir};
    if (!context.calendar.Load(options.holidays))
        std::fprintf(stderr, "holiday calendar not readable: %s\n", options.holidays.c_str());
    if (options.demo && store.IsNew())
        LoadDemoData(store, context.calendar, context.now());
    using Days = std::chrono::duration<double, std::ratio<86400>>;
    KeepRecentRows(store, context.now,
                   std::chrono::duration_cast<std::chrono::milliseconds>(Days(options.keepDays)));
    ConnectionLimits limits;
    limits.perAddress = options.connectionsPerAddress;
    ServiceServer server(context, limits);
    errno = 0;
    if (!server.Bind(options.host, options.port)) {
        const std::string reason = errno == 0 ? "" : std::string(": ") + std::strerror(errno);
        std::fprintf(stderr, "cannot listen on %s:%d%s\n", options.host.c_str(), options.port,
                     reason.c_str());
        return 1;
    }
    RunningServer = &server;
    std::signal(SIGINT, StopOnSignal);
    std::signal(SIGTERM, StopOnSignal);
    std::fprintf(stderr, "listening on http://%s:%d/\n", options.host.c_str(), options.port);
    std::fflush(stderr);
    const bool served = server.Run();
    RunningServer = nullptr;
    return served ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Without TZ the C library checks /etc/localtime at every local-time lookup, two per request.
    setenv("TZ", ":/etc/localtime", 0);
    // One line per request: written out after each batch of writes, not one system call each.
    std::setvbuf(stderr, nullptr, _IOFBF, 1 << 16);
    const std::filesystem::path beside =
        std::filesystem::absolute(argv[0]).parent_path() / "holidays.csv";
    std::string error;
    const auto options =
        ParseOptions(std::vector<std::string>(argv + 1, argv + argc), beside.string(), error);
    if (!options) {
        std::cerr << error << "\n" << UsageText;
        return 2;
    }
    if (options->help) {
        std::cout << UsageText << HelpText;
        return 0;
    }
    try {
        ServiceStore store(options->database);
        if (options->printRequests) {
            PrintRequests(store, options->since, std::cout);
            return 0;
        }
        return Serve(*options, store);
    } catch (const StoreError& failure) {
        std::cerr << failure.what() << "\n";
        return 1;
    }
}
