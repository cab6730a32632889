#include "services/token_reader.hpp"

#include <gtest/gtest.h>

#include <string>

TEST(TokenReader, IntegerConversionsFollowTheCRules) {
    TokenReader r("12 -7 +5 010 0x41 0X1f 0 -0x10 08");
    int32_t v = 0;
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 12);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, -7);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 5);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 8);    // leading 0: octal
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 65);   // 0x: hexadecimal
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 31);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 0);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, -16);
    // "08": the octal conversion stops before the 8, which is read next.
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 0);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 8);
    EXPECT_FALSE(r.readInteger(v));
}

TEST(TokenReader, DecimalConversionReadsNoPrefixes) {
    TokenReader r("010 0x41");
    int32_t v = 0;
    ASSERT_TRUE(r.readDecimal(v)); EXPECT_EQ(v, 10);
    ASSERT_TRUE(r.readDecimal(v)); EXPECT_EQ(v, 0);  // stops at the x
    EXPECT_FALSE(r.readDecimal(v));                  // "x41" is no number
    EXPECT_EQ(v, 0);
    std::string w;
    ASSERT_TRUE(r.readWord(w)); EXPECT_EQ(w, "x41");  // the failed text stays unread
}

TEST(TokenReader, FailedConversionKeepsTheValueAndConsumesNothing) {
    TokenReader r("abc 5");
    int32_t v = 42;
    EXPECT_FALSE(r.readInteger(v));
    EXPECT_EQ(v, 42);
    float f = 1.5f;
    EXPECT_FALSE(r.readFloat(f));
    EXPECT_EQ(f, 1.5f);
    std::string w;
    ASSERT_TRUE(r.readWord(w)); EXPECT_EQ(w, "abc");
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 5);
    EXPECT_FALSE(r.readWord(w));
    EXPECT_TRUE(r.atEnd());
}

TEST(TokenReader, FloatsAndWhitespaceAcrossLines) {
    TokenReader r("  label\n\t-0.5\r\n 500.5 1e2 7");
    std::string w;
    float f = 0;
    ASSERT_TRUE(r.readWord(w)); EXPECT_EQ(w, "label");
    ASSERT_TRUE(r.readFloat(f)); EXPECT_FLOAT_EQ(f, -0.5f);
    ASSERT_TRUE(r.readFloat(f)); EXPECT_FLOAT_EQ(f, 500.5f);
    ASSERT_TRUE(r.readFloat(f)); EXPECT_FLOAT_EQ(f, 100.0f);
    ASSERT_TRUE(r.readFloat(f)); EXPECT_FLOAT_EQ(f, 7.0f);
}

TEST(TokenReader, OverlongTokensAreCutNeverOverflow) {
    std::string longWord(5000, 'x');
    TokenReader r(longWord + " 3");
    std::string w;
    ASSERT_TRUE(r.readWord(w));
    EXPECT_EQ(w.size(), tokenCapacity - 1);
    int32_t v = 0;
    ASSERT_TRUE(r.readInteger(v));  // the rest of the long run was skipped
    EXPECT_EQ(v, 3);
}

TEST(TokenReader, OutOfRangeIntegersWrapToThirtyTwoBits) {
    TokenReader r("4294967296 4294967295 99999999999999999999999");
    int32_t v = 7;
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, 0);
    ASSERT_TRUE(r.readInteger(v)); EXPECT_EQ(v, -1);
    EXPECT_TRUE(r.readInteger(v));  // no crash, some value
}

TEST(TokenReader, MissingFileReportsTheReason) {
    TokenReader r;
    std::string error;
    EXPECT_FALSE(r.open("/nonexistent/dir/file.txt", error));
    EXPECT_FALSE(error.empty());
}
