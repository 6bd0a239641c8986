#pragma once

#include <functional>
#include <span>
#include <string>

// One check of the probe: its name, and what it found wrong (empty when it passed).
struct Check
{
    std::string name;
    std::function<std::string()> run;
};

// Runs the checks in order and prints PASS or FAIL with the finding for each. Returns the
// number that failed.
int RunChecks(std::span<const Check> checks);

// Empty when the condition holds, else the finding.
std::string Expect(bool holds, const std::string& finding);
