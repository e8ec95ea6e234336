#include "library/ascii_text.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "library/little_endian.h"

namespace thermalyx {
namespace {

TEST(AsciiTextTest, TrimsOnlyTheGivenBlanksAtBothEnds) {
    EXPECT_EQ(trimmed(" \t a b \t ", " \t"), "a b");
    EXPECT_EQ(trimmed("\r\na\r", " \t"), "\r\na\r");
    EXPECT_EQ(trimmed("\r\na\r", "\r\n"), "a");
    EXPECT_EQ(trimmed(" \t ", " \t"), "");
    EXPECT_EQ(trimmed("", " "), "");
    EXPECT_EQ(quoted("a \"b\""), "\"a \"b\"\"");
}

TEST(AsciiTextTest, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(foldedAscii("AZaz@[`{09"), "azaz@[`{09");
    // Bytes of other encodings stay as they are.
    EXPECT_EQ(foldedAscii("\xC3\x84"), "\xC3\x84");
    EXPECT_TRUE(equalFoldedAscii("Output Frequency", "oUTPUT fREQUENCY"));
    EXPECT_FALSE(equalFoldedAscii("@", "`"));
    EXPECT_FALSE(equalFoldedAscii("ab", "abc"));
}

TEST(LittleEndianTest, BytesOfAKnownDoubleAndARoundTrip) {
    // 1.0 is 0x3FF0000000000000: the two high bytes come last.
    const std::string one("\0\0\0\0\0\0\xF0\x3F", 8);
    EXPECT_EQ(readLittleEndianDouble(one), 1.0);
    std::string bytes;
    appendLittleEndianDouble(bytes, 1.0);
    EXPECT_EQ(bytes, one);
    for (double value : {-0.0, 5e-324, -1.0 / 3.0, 6.02214076e23}) {
        bytes.clear();
        appendLittleEndianDouble(bytes, value);
        ASSERT_EQ(bytes.size(), 8u);
        const double back = readLittleEndianDouble(bytes);
        EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << value;
    }
}

}  // namespace
}  // namespace thermalyx
