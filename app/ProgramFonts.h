#pragma once

#include <QString>

// Makes the fonts that ship in the program folder (every *.ttf there) usable by the program.
// A Windows counter computer has no NanumGothic, the face the windows fall back to for Hangul
// where the Windows faces are missing; the Windows installation brings it along. Elsewhere the
// folder holds no fonts and the system's own serve.
void LoadProgramFonts(const QString& programFolder);
