#pragma once

#include <QUrl>
#include <functional>

// Opens a web address with the system's default handler. Tests record the addresses instead.
void OpenWebAddress(const QUrl& address);

// Replaces the opener (a test's recorder); an empty handler restores the default handler.
void SetWebAddressHandler(std::function<void(const QUrl&)> handler);
