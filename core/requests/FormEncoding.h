#pragma once

#include <QByteArray>
#include <QString>

// Request bodies are built as text, "P_NAME =" + FormValue(value) + "&P_OTHER  =" + ..., with the
// field literals written exactly as the service expects them.

// The value as it goes into a body: "%", "&", "+" and "=" become %25, %26, %2B and %3D, so that a
// standard form decoder on the service recovers what was typed; every other character is left
// as it is (no other URL encoding), so the body keeps the service's code page 949 bytes.
QString FormValue(const QString& value);

// The bytes posted for a body: the text in code page 949 followed by one zero byte.
QByteArray PostData(const QString& body);
