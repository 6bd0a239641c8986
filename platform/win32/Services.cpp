#include "platform/Services.h"

#include "platform/win32/WideText.h"

#include <windows.h>
#include <winsvc.h>

namespace platform {

namespace {

// A handle of the service control manager or of a service, closed when it goes out of scope.
class ScHandle
{
public:
    explicit ScHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ScHandle()
    {
        if (handle_)
            CloseServiceHandle(handle_);
    }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;

    SC_HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
};

ScHandle OpenManager(const std::string& machine)
{
    return ScHandle(OpenSCManagerW(WideFromUtf8(machine).c_str(), nullptr, SC_MANAGER_CONNECT));
}

ScHandle OpenServiceHandle(const ScHandle& manager, const std::string& service, DWORD access)
{
    return ScHandle(OpenServiceW(manager.get(), WideFromUtf8(service).c_str(), access));
}

std::optional<ServiceStatus> QueryStatus(const ScHandle& service)
{
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service.get(), &status))
        return std::nullopt;
    return ServiceStatus{status.dwCurrentState, status.dwCheckPoint, status.dwWaitHint};
}

} // namespace

// The service handle is declared after the manager's, so it is closed first.

int ServiceState(const std::string& machine, const std::string& service)
{
    const ScHandle manager = OpenManager(machine);
    if (!manager)
        return 0;
    const ScHandle handle = OpenServiceHandle(manager, service, SERVICE_QUERY_STATUS);
    if (!handle)
        return 0;
    const std::optional<ServiceStatus> status = QueryStatus(handle);
    return status ? static_cast<int>(status->state) : 0;
}

bool StartSqlService(const std::string& machine, const std::string& service, StartWaitBound bound)
{
    const ScHandle manager = OpenManager(machine);
    if (!manager)
        return false;
    const ScHandle handle =
        OpenServiceHandle(manager, service, SERVICE_START | SERVICE_QUERY_STATUS);
    if (!handle)
        return false;
    if (!StartServiceW(handle.get(), 0, nullptr))
        return false;
    return WaitForServiceStart(
        [&handle] { return QueryStatus(handle); },
        [](std::chrono::milliseconds wait) { Sleep(static_cast<DWORD>(wait.count())); }, bound);
}

} // namespace platform
