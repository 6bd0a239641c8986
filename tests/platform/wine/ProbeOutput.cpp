#include "tests/platform/wine/ProbeOutput.h"

#include <windows.h>

void Print(const std::string& utf8)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}
