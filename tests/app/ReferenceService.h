#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <vector>

// One request as the reference service stored it.
struct StoredRequest
{
    QString method;
    QString target;
    int status = 0;
    QByteArray body;
};

// The bodies of the requests posted to the page (e.g. "TimeCheck.asp"), in arrival order.
std::vector<QByteArray> PostedBodies(const std::vector<StoredRequest>& requests,
                                     const QString& page);

// The real quillane-service with the demo members, on a free loopback port with a database and
// an update folder of its own, stopped with the object.
class ReferenceService
{
public:
    ReferenceService();
    ~ReferenceService();

    // True once the service answers; false when it could not be started.
    bool Started() const;

    // "127.0.0.1:port", for the QUILLANE_*_HOST variables.
    QString Host() const;

    // The folder whose files the service offers as updates.
    QString UpdateFolder() const;

    // The request log, read through the service's own "requests" command.
    std::vector<StoredRequest> Requests() const;

    // Waits, within the bound, until the request log satisfies done.
    bool WaitUntil(const std::function<bool(const std::vector<StoredRequest>&)>& done,
                   std::chrono::milliseconds bound = std::chrono::seconds(15)) const;

private:
    bool StartOnFreePort();
    bool WaitUntilAnswering() const;

    QTemporaryDir folder_;
    QProcess process_;
    int port_ = 0;
    bool started_ = false;
};
