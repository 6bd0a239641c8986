#include "platform/IdleTime.h"

#include <QGuiApplication>
#include <cstdio>

// Prints what the system's idle source answers on the Qt platform of the environment: the idle
// seconds, or "unknown".
int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const std::optional<std::uint32_t> seconds = platform::CreateSystemIdleSource()->IdleSeconds();
    if (seconds)
        std::printf("%u\n", static_cast<unsigned>(*seconds));
    else
        std::printf("unknown\n");
    return 0;
}
