#include "tests/service/InProcessService.h"

#include "service/DemoData.h"

#include <QDir>
#include <stdexcept>

void InProcessService::Start(bool demo)
{
    QDir(folder_.path()).mkpath("update");
    store_ = std::make_unique<ServiceStore>(DatabasePath());
    context_ = std::make_unique<ServiceContext>(ServiceContext{*store_, {}, UpdateDir()});
    context_->now = [this] { return Clock(); };
    if (!context_->calendar.Load(QUILLANE_HOLIDAYS_CSV))
        throw std::runtime_error("holiday calendar missing");
    if (demo && store_->IsNew())
        LoadDemoData(*store_, context_->calendar, context_->now());
    server_ = std::make_unique<ServiceServer>(*context_, limits_);
    port_ = server_->BindAnyPort("127.0.0.1");
    if (port_ == 0)
        throw std::runtime_error("no free port");
    thread_ = std::thread([this] { server_->Run(); });
    // A stop before the server runs would be missed, and Stop would wait for ever.
    while (!server_->IsRunning())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

httplib::Result InProcessService::Post(const std::string& page, const std::string& body)
{
    httplib::Client client("127.0.0.1", port_);
    return client.Post(("/Quillane/" + page).c_str(), body, "application/x-www-form-urlencoded");
}

httplib::Result InProcessService::Get(const std::string& target)
{
    httplib::Client client("127.0.0.1", port_);
    return client.Get(target.c_str());
}
