#pragma once

#include <functional>

class QDialog;

// Every modal window of the program is shown through here, so that tests can answer it: the
// window is centred on the screen and runs its own message loop until it closes.

using ModalDialogHandler = std::function<int(QDialog& dialog)>;

// Centres the window on its screen, shows it modally and returns its result code.
int ShowModal(QDialog& dialog);

// Replaces the showing (a test's answerer); an empty handler restores the real one.
void SetModalDialogHandler(ModalDialogHandler handler);
