#pragma once

#include "service/ConnectionLimits.h"
#include "service/HolidayCalendar.h"
#include "service/ServiceContext.h"
#include "service/ServiceServer.h"
#include "service/ServiceStore.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <httplib.h>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The service's library serving on a free loopback port from a database in a temporary folder,
// with the clock fixed at 2026-12-10 10:00 (a Thursday; SetClock moves it) and the project's
// holiday calendar.
class InProcessService
{
public:
    explicit InProcessService(const ConnectionLimits& limits = {}) : limits_(limits)
    {
        Start(true);
    }
    ~InProcessService() { Stop(); }

    // Stops serving and closes the database; Start opens it again.
    void Stop()
    {
        if (server_)
            server_->Stop();
        if (thread_.joinable())
            thread_.join();
        server_.reset();
        context_.reset();
        store_.reset();
    }

    void Start(bool demo = false);

    std::string DatabasePath() const { return folder_.filePath("service.db").toStdString(); }
    std::string UpdateDir() const { return folder_.filePath("update").toStdString(); }
    ServiceStore& Store() { return *store_; }
    HolidayCalendar& Calendar() { return context_->calendar; }

    void SetClock(const QDateTime& now)
    {
        std::lock_guard lock(clockMutex_);
        clock_ = now;
    }
    QDateTime Clock()
    {
        std::lock_guard lock(clockMutex_);
        return clock_;
    }

    // Posts body bytes to a page under /Quillane/ without following redirects.
    httplib::Result Post(const std::string& page, const std::string& body);
    httplib::Result Get(const std::string& target);

    // The answer page the program reads for an answer text given in code page 949 bytes.
    static std::string Page(const std::string& codePage949Text)
    {
        return "<!DOCTYPE html><html><head><meta charset=\"euc-kr\"></head><body>" +
               codePage949Text + "</body></html>";
    }

    int Port() const { return port_; }

private:
    ConnectionLimits limits_;
    std::mutex clockMutex_;
    QDateTime clock_{QDate(2026, 12, 10), QTime(10, 0)};
    QTemporaryDir folder_;
    std::unique_ptr<ServiceStore> store_;
    std::unique_ptr<ServiceContext> context_;
    std::unique_ptr<ServiceServer> server_;
    std::thread thread_;
    int port_ = 0;
};
