#pragma once

#include "service/ServiceStore.h"

#include <QDateTime>
#include <cstdint>
#include <ostream>
#include <string>

// Every request the service answers: time, method, path with query, raw body bytes, status, and
// why a page refused what it was sent (empty when nothing was refused).
struct LoggedRequest
{
    std::string time;
    std::string method;
    std::string target;
    std::string body;
    int status = 0;
    std::string note;
};

// A time of the service's clock with milliseconds, "YYYY-MM-DD HH:MM:SS.zzz".
std::string LogTime(const QDateTime& time);

// The row goes with the store's next batch, after the answer: an abrupt end of the service may
// lose the rows of its last requests, never what a page stored.
void RecordRequest(ServiceStore& store, LoggedRequest request);

// One line for stderr.
std::string RequestLogLine(const LoggedRequest& request);

// Prints the requests with an id above since, one JSON object a line: id, time, method, target,
// status, body_hex, body (the bytes decoded from code page 949, invalid bytes replaced) and, for a
// refused request, note.
void PrintRequests(ServiceStore& store, std::int64_t since, std::ostream& out);
