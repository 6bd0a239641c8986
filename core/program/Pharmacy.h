#pragma once

#include <QString>

// The pharmacy this computer reports for, as the sign-in read it from the settings file and a
// registration changed it since. The program makes one at start and lends it to the main window,
// which lends it on to whoever reads or changes it.
struct Pharmacy
{
    QString pharmacistName{}; // "개국약사명"
    QString license{};        // "개국약사면허번호"
    QString checkComputer{};  // "푸른등대", or this computer's name when that is empty
    QString autoCheck{}; // "자동체크": "Y" once the first sign-in's window has been answered
};
