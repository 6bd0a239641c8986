#pragma once

#include <QSqlQuery>
#include <QString>

// The three ways the program runs a statement, on a query of any Qt SQL connection (the local
// database and the management database alike). The statements are written in the Access/SQL
// Server dialect; on an SQLite connection they are adapted first (JetDialect.h).

// Closes the query and runs the statement, leaving the query active before its first row (read
// the rows with next()). False with the database's error text when the statement fails.
[[nodiscard]] bool OpenSql(QSqlQuery& query, const QString& statement, QString& error);

// Closes the query and runs a statement that returns no rows. False with the database's error
// text when the statement fails.
[[nodiscard]] bool ExecSql(QSqlQuery& query, const QString& statement, QString& error);

// OpenSql that only answers whether it succeeded; a failed query is left inactive.
bool TryOpenSql(QSqlQuery& query, const QString& statement);
