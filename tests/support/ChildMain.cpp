// main of the test programs that start a second process of themselves.
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::optional<int> status = tenvoll::test::runChildRole(argc, argv))
        return *status;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
