#pragma once

#include "update/HttpClient.h"

#include <QStringList>

// GETs the address as text and puts the answer's lines into the list (split at CR LF, CR or
// LF; a line break at the end opens no further line). The answer is the number of lines; any
// failure (no connection, an error status, the time-out) answers -1 and leaves the list as it
// was. Pending window messages run first.
int FetchTextList(HttpClient& client, QStringList& list, const QString& url);
