#include "service/RequestLog.h"

#include "service/Statement.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

std::string LogTime(const QDateTime& time)
{
    return time.toString("yyyy-MM-dd HH:mm:ss.zzz").toStdString();
}

void RecordRequest(ServiceStore& store, LoggedRequest request)
{
    store.WriteLater([request = std::move(request)](sqlite3* db) {
        Statement(db, "INSERT INTO requests (time, method, target, body, status, note) "
                      "VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
            .Bind(1, request.time)
            .Bind(2, request.method)
            .Bind(3, request.target)
            .BindBlob(4, request.body)
            .Bind(5, std::int64_t{request.status})
            .Bind(6, request.note)
            .Run();
    });
}

std::string RequestLogLine(const LoggedRequest& request)
{
    return request.time + " " + request.method + " " + request.target + " " +
           std::to_string(request.status) + " " + std::to_string(request.body.size()) +
           (request.note.empty() ? "" : " " + request.note) + "\n";
}

void PrintRequests(ServiceStore& store, std::int64_t since, std::ostream& out)
{
    store.Read([&](sqlite3* db) {
        Statement rows(db, "SELECT id, time, method, target, status, body, note FROM requests "
                           "WHERE id > ?1 ORDER BY id");
        rows.Bind(1, since);
        while (rows.Step()) {
            const QByteArray body = QByteArray::fromStdString(rows.Text(5));
            QStringDecoder decoder("windows-949");
            QJsonObject line{
                {"id", static_cast<qint64>(rows.Int(0))},
                {"time", QString::fromStdString(rows.Text(1))},
                {"method", QString::fromStdString(rows.Text(2))},
                {"target", QString::fromStdString(rows.Text(3))},
                {"status", static_cast<qint64>(rows.Int(4))},
                {"body_hex", QString::fromLatin1(body.toHex())},
                {"body", QString(decoder.decode(body))},
            };
            if (!rows.Text(6).empty())
                line["note"] = QString::fromStdString(rows.Text(6));
            out << QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString() << "\n";
        }
    });
}
