#pragma once

#include <QDeadlineTimer>
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
        OtherError, // no connection, a deadline, an answer over its limit, a full disk and the like
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
// request runs on the network thread while the calling thread waits; an end of the session
// meanwhile is handled at once, inside the wait. A server that sends nothing for the request
// time-out ends the request, and so does one whose whole answer has not arrived by the deadline,
// however it trickles, and every request ends by the client's own deadline: a slow server cannot
// hold the start-up for ever. An answer that declares more than the caller's limit is refused as
// soon as its headers arrive, and one that turns out longer ends there, so a hostile server
// cannot fill the memory or the disk. Redirects are not followed.
class HttpClient
{
public:
    // The deadline by which every request of the client has ended; none by default.
    explicit HttpClient(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

    // GETs the address and writes the answer's body, at most maxBytes of it, to the open sink;
    // an error status's body is not read.
    HttpResult Get(const QString& url, QIODevice& sink, qint64 maxBytes,
                   AnswerDeadline deadline = {});

private:
    QDeadlineTimer deadline_;
};
