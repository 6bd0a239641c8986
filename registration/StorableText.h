#pragma once

#include <QString>
#include <initializer_list>

class QLineEdit;

// What the service and the settings file can hold: one line of code page 949 text.
bool IsStorableText(const QString& text);

// Line breaks typed or pasted into the one-line box are removed as they arrive.
void KeepOnOneLine(QLineEdit& box);

// Whether every box holds storable text once trimmed. The first that does not is named in a
// warning by its accessible name (its caption) and takes the focus.
bool AllStorable(std::initializer_list<QLineEdit*> boxes);
