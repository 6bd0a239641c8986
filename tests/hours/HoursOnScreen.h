#pragma once

#include "tests/app/ProgramOnScreen.h"

#include <gtest/gtest.h>

// The real program against the reference service with its demo owner, on an X server of the
// test's own, driven from its main screen as the pharmacist does. A machine without Xvfb or
// xdotool skips the test.
template <class Test = ::testing::Test> class HoursOnScreen : public Test, protected ProgramOnScreen
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_NO_FATAL_FAILURE(Connect());
        WriteDemoOwner(Settings());
    }
};
