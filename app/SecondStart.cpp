#include "app/SecondStart.h"

std::optional<platform::InstanceCommand> SecondStartCommand(const QStringList& arguments)
{
    const QString first = arguments.value(1);
    if (first == ShowMainScreenArgument)
        return platform::InstanceCommand::ShowMainScreen;
    return std::nullopt;
}
