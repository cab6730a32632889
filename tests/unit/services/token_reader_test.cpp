// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/token_reader.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace tiefschacht;

TEST(TokenReader, IntegerConversionsFollowTheCRules) {
    TokenReader r("12 -7 +5 010 0x41 0X1f 0 -0x10 08");
    int32_t v = 0;
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 12);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, -7);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 5);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 8);  // leading 0: octal
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 65);  // 0x: hexadecimal
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 31);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, -16);
    // "08": the octal conversion stops before the 8, which is read next.
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 8);
    EXPECT_FALSE(r.readInteger(v));
}

TEST(TokenReader, DecimalConversionReadsNoPrefixes) {
    TokenReader r("010 0x41");
    int32_t v = 0;
    ASSERT_TRUE(r.readDecimal(v));
    EXPECT_EQ(v, 10);
    ASSERT_TRUE(r.readDecimal(v));
    EXPECT_EQ(v, 0);                 // stops at the x
    EXPECT_FALSE(r.readDecimal(v));  // "x41" is no number
    EXPECT_EQ(v, 0);
    std::string w;
    ASSERT_TRUE(r.readWord(w));
    EXPECT_EQ(w, "x41");  // the failed text stays unread
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
    ASSERT_TRUE(r.readWord(w));
    EXPECT_EQ(w, "abc");
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 5);
    EXPECT_FALSE(r.readWord(w));
    EXPECT_TRUE(r.atEnd());
}

TEST(TokenReader, FloatsAndWhitespaceAcrossLines) {
    TokenReader r("  label\n\t-0.5\r\n 500.5 1e2 7");
    std::string w;
    float f = 0;
    ASSERT_TRUE(r.readWord(w));
    EXPECT_EQ(w, "label");
    ASSERT_TRUE(r.readFloat(f));
    EXPECT_FLOAT_EQ(f, -0.5f);
    ASSERT_TRUE(r.readFloat(f));
    EXPECT_FLOAT_EQ(f, 500.5f);
    ASSERT_TRUE(r.readFloat(f));
    EXPECT_FLOAT_EQ(f, 100.0f);
    ASSERT_TRUE(r.readFloat(f));
    EXPECT_FLOAT_EQ(f, 7.0f);
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
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(r.readInteger(v));  // no crash, some value
}

TEST(TokenReader, MissingFileReportsTheReason) {
    TokenReader r;
    std::string error;
    EXPECT_FALSE(r.open("/nonexistent/dir/file.txt", error));
    EXPECT_FALSE(error.empty());
}

// The reader notes the first thing it finds wrong, with its line, and goes
// on reading as before: a token where a number belongs, the end of the file
// where more belongs, a number too large for its type.
TEST(TokenReader, NotesTheFirstProblemWithItsLine) {
    TokenReader r("Anzahl 2\nCode x\1y 5\nPunkte 99999999999\n");
    std::string w;
    int32_t v = 7;
    r.skipWord();
    ASSERT_TRUE(r.readInteger(v));
    EXPECT_EQ(r.problem(), "");
    r.skipWord();
    EXPECT_FALSE(r.readInteger(v));
    EXPECT_EQ(v, 2);
    EXPECT_EQ(r.problem(), "line 2: \"x\\x01y\" stands where a number belongs");
    r.skipWord();
    ASSERT_TRUE(r.readInteger(v));
    r.skipWord();
    EXPECT_TRUE(r.readInteger(v));  // wraps as before; the first problem stays
    EXPECT_EQ(r.problem(), "line 2: \"x\\x01y\" stands where a number belongs");

    TokenReader huge("Punkte\n-2147483649 2147483647");
    huge.skipWord();
    huge.readInteger(v);
    EXPECT_EQ(huge.problem(), "line 2: the number \"-2147483649\" does not fit in 32 bits");

    TokenReader far("Sichtweite 1e39");
    float f = 0.0f;
    far.skipWord();
    EXPECT_TRUE(far.readFloat(f));
    EXPECT_EQ(far.problem(), "line 1: the number \"1e39\" is too large");

    // At the end of the file the line named is that of its last token.
    TokenReader cut("Modus 1\nPuffer\n\n");
    cut.skipWord();
    cut.readDecimal(v);
    cut.skipWord();
    EXPECT_FALSE(cut.readDecimal(v));
    EXPECT_EQ(cut.problem(), "line 2: the file ends where a number belongs");

    TokenReader fine("-2147483648 +2147483647 0x7FFFFFFF 1.5e38");
    EXPECT_TRUE(fine.readInteger(v) && fine.readInteger(v) && fine.readInteger(v) &&
                fine.readFloat(f));
    EXPECT_EQ(fine.problem(), "");
}
