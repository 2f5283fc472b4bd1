#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

int main(int argc, char** argv)
{
    testing_support::useFreshSettingsFile();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
