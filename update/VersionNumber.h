#pragma once

#include <QString>
#include <optional>

// A version text as a number: decimal digits with an optional sign, blanks around them ignored.
// Nothing for any other text (empty, letters, too large), so that no update runs on it.
std::optional<qint64> VersionNumber(const QString& text);
