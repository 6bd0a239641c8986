#pragma once

#include <QString>

// The address an immediate refresh (<meta http-equiv="refresh" content="0;url=...">) sends the
// browser to, as written in the page; empty when the page has none.
QString ImmediateRefreshTarget(const QString& html);
