#pragma once

#include <chrono>
#include <memory>

// What the updater needs of the operating system (UTF-8 paths).

// Held while the updater replaces the program's files: the program has ended, and a start of
// it in the meantime finds a running copy and ends at once. Released when destroyed.
class ProgramClaim
{
public:
    virtual ~ProgramClaim() = default;
};

// Waits, up to the limit, until the running copy of the program in this logon session has ended,
// and claims its place; nothing when it is still running at the limit.
std::unique_ptr<ProgramClaim> ClaimProgram(std::chrono::milliseconds limit);

// The program's executable in the program folder.
const char* ProgramFileName();
