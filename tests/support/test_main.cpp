#include "tests/support/test_environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ks::test::setTestEnvironment();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
