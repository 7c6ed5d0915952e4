#include "tests/support/test_environment.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A test that ran a program's start-up made this binary the reporter of a fault:
    // started as one, it does nothing (the crashed test fails by its signal).
    if (std::getenv("KS_FAULT_CODE"))
        return 0;
    ks::test::setTestEnvironment();
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
