#pragma once

#include <QString>

// The registration's warnings: a message box with the caption "경고", the error icon and OK.
void ShowWarning(const QString& text);
