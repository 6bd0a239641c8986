#include "core/settings/Settings.h"

#include <cstdio>

// Writes the keys "항목 1", "항목 2", ... of section "법정공휴일" one write at a time into the
// file named by the first argument, and prints each key's number once its write has returned.
// The crash test kills it at random moments.
int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (int i = 1;; ++i) {
        if (!WriteIniString(path, QStringLiteral("법정공휴일"), QStringLiteral("항목 %1").arg(i),
                            QStringLiteral("똠%1").arg(i)))
            return 1;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
