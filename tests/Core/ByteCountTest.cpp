#include "Core/ByteCount.h"

#include <gtest/gtest.h>

// Without a translator the Korean keys show as they are; the English words are tested with the
// interface language.
TEST(ByteCount, FileStyleUsesDecimalUnits)
{
    const struct {
        std::int64_t bytes;
        const char *text;
    } cases[] = {
        {0, "0KB"},
        {1, "1바이트"},
        {999, "999바이트"},
        {1000, "1KB"},
        {1024, "1KB"},
        {1499, "1KB"},
        {1500, "2KB"},
        {999'499, "999KB"},
        {999'500, "1MB"}, // not "1000KB"
        {1'000'000, "1MB"},
        {1'250'000, "1.3MB"},
        {12'345'678, "12.3MB"},
        {999'950'000, "1GB"},
        {1'234'567'890, "1.23GB"},
        {2'000'000'000, "2GB"},
        {1'500'000'000'000, "1.5TB"},
        {-2048, "-2KB"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ByteCount::fileStyle(c.bytes).toStdString(), c.text) << c.bytes;
}
