#pragma once

#include "registration/ManagementDatabase.h"

#include <QMap>
#include <QSet>
#include <QSqlField>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

// One management database as a test scripts it: rows answered per statement, failures per
// statement ("open" for the connection), every call recorded as "kind: text".
struct FakeManagementServer
{
    QMap<QString, ManagementRows> rows;
    QSet<QString> failing;
    QStringList calls;
    std::function<void()> onOpen; // runs while the import opens the connection

    // Records the call; yes when the test made it fail.
    bool Fails(const QString& kind, const QString& text, const QString& key, QString& error)
    {
        calls << kind + ": " + text;
        if (!failing.contains(key))
            return false;
        error = "refused: " + key;
        return true;
    }
};

class FakeManagementDatabase : public ManagementDatabase
{
public:
    explicit FakeManagementDatabase(std::shared_ptr<FakeManagementServer> server)
        : server_(std::move(server))
    {
    }

    bool Open(const QString& connectionText, QString& error) override
    {
        if (server_->onOpen)
            server_->onOpen();
        return !server_->Fails("open", connectionText, "open", error);
    }
    bool OpenSql(const QString& statement, ManagementRows& rows, QString& error) override
    {
        if (server_->Fails("open sql", statement, statement, error))
            return false;
        rows = server_->rows.value(statement);
        return true;
    }
    bool ExecSql(const QString& statement, QString& error) override
    {
        return !server_->Fails("exec sql", statement, statement, error);
    }
    bool TryOpenSql(const QString& statement) override
    {
        QString error;
        return !server_->Fails("try open sql", statement, statement, error);
    }
    void Close() override { server_->calls << "close"; }

private:
    std::shared_ptr<FakeManagementServer> server_;
};

// A row of named columns; a null QVariant is a NULL column.
inline QSqlRecord Row(std::initializer_list<std::pair<QString, QVariant>> columns)
{
    QSqlRecord record;
    for (const auto& [name, value] : columns) {
        QSqlField field(name, value.isNull() ? QMetaType(QMetaType::QString) : value.metaType());
        field.setValue(value);
        record.append(field);
    }
    return record;
}
