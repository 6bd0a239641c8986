#pragma once

#include <QIODevice>
#include <QString>
#include <chrono>

// How one GET ended.
struct HttpResult
{
    enum class Kind
    {
        Ok,
        ConnectionClosed, // the server closed the connection before the answer was complete
        HttpError,        // the server answered with a status other than 2xx
        OtherError,       // no connection, the time-out, a full disk and the like
    };
    Kind kind = Kind::OtherError;
    int status = 0;    // the HTTP status, when one arrived
    QString errorText; // what went wrong, in the system's words
};

// How long a whole answer may take: the floor (the request time-out, RequestTimeout(), unless
// given), or for a large answer its declared length at the lowest rate, when that is longer.
struct AnswerDeadline
{
    std::chrono::milliseconds floor = std::chrono::milliseconds::zero();
    qint64 lowestBytesPerSecond = 0; // 0: the floor alone
};

// The update's HTTP client: plain GET requests that return when the answer is in, sent with the
// headers Accept "text/html, */*" and User-Agent "Mozilla/3.0 (compatible; Indy Library)". The
// request runs on the network thread while the calling thread waits. A server that sends
// nothing for the request time-out ends the request, and so does one whose whole answer has not
// arrived by the deadline, however it trickles: a slow server cannot hold the start-up for ever.
// An answer longer than the caller's limit ends the request as an error, so a hostile server
// cannot fill the memory or the disk. Redirects are not followed.
class HttpClient
{
public:
    // GETs the address and writes the answer's body, at most maxBytes of it, to the open sink;
    // an error status's body is not written.
    HttpResult Get(const QString& url, QIODevice& sink, qint64 maxBytes,
                   AnswerDeadline deadline = {});
};
