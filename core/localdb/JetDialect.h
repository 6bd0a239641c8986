#pragma once

#include <QString>

// The statements are written in the Access (Jet) dialect, which SQL Server also reads. SQLite
// needs two small changes, made outside the single-quoted literals only:
// - "SELECT TOP n ..." becomes "SELECT ... LIMIT n" (the TOP of the statement's own SELECT);
// - "LEFT(x,n)" becomes "substr(x,1,n)" (x a column or expression without parentheses).
// [Bracketed] names and column names without regard to case work in SQLite as they are.
QString JetToSqlite(const QString& statement);
