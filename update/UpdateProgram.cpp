#include "UpdateProgram.h"

// No update is offered yet: the start-up goes on at once.
void UpdateProgram(const QString& installedVersion)
{
    Q_UNUSED(installedVersion);
}
