#pragma once

#include <QString>
#include <functional>

// What detection asks of the computer; the real environment asks the platform, tests inject.
struct EditionEnvironment
{
    std::function<bool(const QString& path)> fileExists;
    std::function<int(const QString& machine, const QString& service)> serviceState;
    std::function<QString()> computerName;
};

// The files, services and name of this computer.
EditionEnvironment SystemEditionEnvironment();

// The installed and running edition: the label of the first table row whose INI file exists and
// whose service runs (state 4) on this computer (the service is asked only when the file exists),
// or empty when no row matches. Decided once per start; never starts a service.
QString DetectEdition(const EditionEnvironment& environment = SystemEditionEnvironment());

// The edition this start detected (the main window's edition label shows it), or empty.
inline QString DetectedEdition;
