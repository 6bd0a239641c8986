#pragma once

#include <string>

// Code page 949 conversions as a table of lines that the Linux side writes with its converter
// and the Windows side checks with its own:
//   D <bytes> <UTF-16 code units> <exact>   decoding the bytes gives the text
//   E <UTF-16 code units> <bytes> <exact>   encoding the text gives the bytes
// Bytes and code units in hexadecimal without blanks ("-" when none), exact 1 or 0.

// Checks every line of the table file. Returns the number of lines that differ.
int CheckCodePageTable(const std::string& file);
