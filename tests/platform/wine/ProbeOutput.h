#pragma once

#include <string>

// Writes UTF-8 text to the probe's standard output as it is, without any conversion of line
// ends or code page, so that the test that started the probe reads the bytes it expects.
void Print(const std::string& utf8);
