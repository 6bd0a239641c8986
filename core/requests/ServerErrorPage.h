#pragma once

#include <QString>

// Whether a completed page is the browser's own error page (no answer from the server) or the
// server's internal-error page, told by the texts those pages carry.
bool IsServerErrorPage(const QString& text);
