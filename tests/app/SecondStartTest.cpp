#include "app/SecondStart.h"

#include <gtest/gtest.h>

namespace {

using platform::InstanceCommand;

struct ArgumentCase
{
    QStringList arguments;
    std::optional<InstanceCommand> command;
};

class SecondStartArguments : public ::testing::TestWithParam<ArgumentCase>
{
};

TEST_P(SecondStartArguments, OnlyTheExactFirstArgumentNamesACommand)
{
    EXPECT_EQ(SecondStartCommand(GetParam().arguments), GetParam().command);
}

const QString Program = QStringLiteral("Quillane");

INSTANTIATE_TEST_SUITE_P(
    Table, SecondStartArguments,
    ::testing::Values(
        ArgumentCase{{Program, QStringLiteral("C:\\Windows\\win.ini")},
                     InstanceCommand::ShowMainScreen},
        ArgumentCase{{Program, QStringLiteral("POS")}, std::nullopt},
        ArgumentCase{{Program, QStringLiteral("C:\\Windows\\win.ini"), QStringLiteral("x")},
                     InstanceCommand::ShowMainScreen},
        ArgumentCase{{Program}, std::nullopt}, ArgumentCase{{}, std::nullopt},
        ArgumentCase{{Program, QStringLiteral("c:\\windows\\win.ini")}, std::nullopt},
        ArgumentCase{{Program, QStringLiteral("C:\\Windows\\win.ini ")}, std::nullopt},
        ArgumentCase{{Program, QStringLiteral("pos")}, std::nullopt},
        ArgumentCase{{Program, QStringLiteral("x"), QStringLiteral("POS")}, std::nullopt},
        ArgumentCase{{Program, QString()}, std::nullopt}));

} // namespace
