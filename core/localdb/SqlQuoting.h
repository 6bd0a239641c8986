#pragma once

#include <QString>

// Every value put into an SQL statement goes through one of these, so that a single quote in
// the value can never end the literal early.

// The value with each single quote doubled, for use inside a literal ('%' + it + '%').
QString SqlEscaped(const QString& value);

// The value escaped and enclosed in single quotes.
QString SqlQuoted(const QString& value);
