#pragma once

#include <QString>
#include <functional>

// The user's manual "Help.mht" in the program folder, opened with the system's handler.
void OpenHelpFile();

// Replaces the opening (a test's recorder of the path); an empty handler restores the system's.
void SetHelpFileHandler(std::function<void(const QString& path)> handler);
