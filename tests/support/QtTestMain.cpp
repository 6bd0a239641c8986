#include <QApplication>
#include <gtest/gtest.h>

// Runs the GoogleTest cases inside an application object, so that timers, sockets and
// widgets work as they do in the program.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
