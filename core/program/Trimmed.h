#pragma once

#include <QString>

// Characters with codes 0 to 32 removed at both ends.
QString Trimmed(const QString& text);
