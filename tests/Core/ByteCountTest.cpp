#include "Core/ByteCount.h"

#include <gtest/gtest.h>

TEST(ByteCount, FileStyleUsesDecimalUnits)
{
    const struct {
        std::int64_t bytes;
        const char *text;
    } cases[] = {
        {0, "Zero KB"},
        {1, "1 byte"},
        {999, "999 bytes"},
        {1000, "1 KB"},
        {1024, "1 KB"},
        {1499, "1 KB"},
        {1500, "2 KB"},
        {999'499, "999 KB"},
        {999'500, "1 MB"}, // not "1000 KB"
        {1'000'000, "1 MB"},
        {1'250'000, "1.3 MB"},
        {12'345'678, "12.3 MB"},
        {999'950'000, "1 GB"},
        {1'234'567'890, "1.23 GB"},
        {2'000'000'000, "2 GB"},
        {1'500'000'000'000, "1.5 TB"},
        {-2048, "-2 KB"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ByteCount::fileStyle(c.bytes).toStdString(), c.text) << c.bytes;
}
