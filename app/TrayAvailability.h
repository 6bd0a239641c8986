#pragma once

#include <functional>

// Whether the desktop offers a tray for the icon. Tests replace the answer.
bool TrayAvailable();

// Replaces the answer (a test's choice); an empty handler restores the desktop's answer.
void SetTrayAvailabilityHandler(std::function<bool()> handler);
