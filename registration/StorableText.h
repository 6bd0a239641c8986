#pragma once

#include <QString>

class QLineEdit;

// What the service and the settings file can hold: one line of code page 949 text.
bool IsStorableText(const QString& text);

// Line breaks typed or pasted into the one-line box are removed as they arrive.
void KeepOnOneLine(QLineEdit& box);
