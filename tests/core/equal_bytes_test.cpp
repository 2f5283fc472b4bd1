#include "core/equal_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The word compares overlap; a difference at any single place must still be seen.
TEST(EqualBytes, ADifferenceAtAnyPlaceOfAnyLengthIsSeen)
{
    for (std::size_t length = 0; length <= 40; ++length) {
        std::string a(length, 'q');
        for (std::size_t k = 0; k < length; ++k)
            a[k] = static_cast<char>('a' + k % 23);
        EXPECT_TRUE(core::equalBytes(a, std::string(a))) << length;
        for (std::size_t at = 0; at < length; ++at) {
            std::string b = a;
            b[at] = static_cast<char>(b[at] ^ 0x80);
            EXPECT_FALSE(core::equalBytes(a, b)) << length << " at " << at;
        }
        EXPECT_FALSE(core::equalBytes(a, a + "x")) << length;
    }
}

} // namespace
