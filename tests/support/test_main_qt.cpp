#include "tests/support/test_environment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ks::test::setTestEnvironment();
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
