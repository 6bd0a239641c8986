#include "tests/platform/wine/Check.h"

#include "tests/platform/wine/ProbeOutput.h"

int RunChecks(std::span<const Check> checks)
{
    int failed = 0;
    for (const Check& check : checks) {
        const std::string finding = check.run();
        if (finding.empty()) {
            Print("PASS " + check.name + "\n");
        } else {
            Print("FAIL " + check.name + ": " + finding + "\n");
            ++failed;
        }
    }
    return failed;
}

std::string Expect(bool holds, const std::string& finding)
{
    return holds ? std::string() : finding;
}
