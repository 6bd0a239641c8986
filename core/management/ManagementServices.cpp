#include "core/management/ManagementServices.h"

#include "platform/ComputerName.h"
#include "platform/Services.h"

namespace {

constexpr int Running = 4;

} // namespace

int ServiceState(const QString& machine, const QString& service)
{
    return platform::ServiceState(machine.toStdString(), service.toStdString());
}

bool IsRunningState(int state)
{
    return state == Running;
}

bool IsServiceRunning(const QString& machine, const QString& service)
{
    return IsRunningState(ServiceState(machine, service));
}

bool StartSqlService(const QString& machine, const QString& service)
{
    return platform::StartSqlService(machine.toStdString(), service.toStdString());
}

QString LocalComputerName()
{
    return QString::fromStdString(platform::LocalComputerName());
}
