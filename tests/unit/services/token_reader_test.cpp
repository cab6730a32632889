// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/token_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tiefschacht;

namespace {
enum class Conversion { Integer, Decimal, Float };

bool read(TokenReader& r, Conversion c, double& value) {
    // Only the conversion's own kind holds the value (a float read may be
    // far past what an int holds).
    int32_t i = c == Conversion::Float ? 0 : static_cast<int32_t>(value);
    float f = c == Conversion::Float ? static_cast<float>(value) : 0.0f;
    const bool ok = c == Conversion::Float     ? r.readFloat(f)
                    : c == Conversion::Integer ? r.readInteger(i)
                                               : r.readDecimal(i);
    value = c == Conversion::Float ? static_cast<double>(f) : i;
    return ok;
}
}  // namespace

// Each conversion over a text: the values it reads in turn, then the first
// text it cannot read, which keeps the value as it was and stays unread.
TEST(TokenReader, ConversionsFollowTheCRules) {
    struct Case {
        const char* text;
        Conversion conversion;
        std::vector<double> values;
        const char* unread;
    } const cases[] = {
        // A leading 0 reads octal ("08": the 0, then the 8), 0x hexadecimal.
        {"12 -7 +5 010 0x41 0X1f 0 -0x10 08",
         Conversion::Integer,
         {12, -7, 5, 8, 65, 31, 0, -16, 0, 8},
         ""},
        // Out of range: truncated to 32 bits.
        {"4294967296 4294967295 99999999999999999999999",
         Conversion::Integer,
         {0, -1, -159383553},
         ""},
        {"010 0x41", Conversion::Decimal, {10, 0}, "x41"},  // no prefixes: stops at the x
        {"\t-0.5\r\n 500.5 1e2 7", Conversion::Float, {-0.5, 500.5, 100, 7}, ""},
        {"abc 5", Conversion::Integer, {}, "abc"},
        {"abc 5", Conversion::Float, {}, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TokenReader r(c.text);
        double v = 42;
        for (double expected : c.values) {
            ASSERT_TRUE(read(r, c.conversion, v));
            EXPECT_DOUBLE_EQ(v, expected);
        }
        const double last = v;
        EXPECT_FALSE(read(r, c.conversion, v));
        EXPECT_EQ(v, last);
        std::string w;
        EXPECT_EQ(r.readWord(w) ? w : "", c.unread);
    }
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
    EXPECT_FALSE(r.readWord(w));
    EXPECT_TRUE(r.atEnd());
}

// Labelled numbers read to the end of a text: the reader notes the first
// thing it finds wrong, with its line, and goes on reading as before.
TEST(TokenReader, NotesTheFirstProblemWithItsLine) {
    struct Case {
        const char* text;
        Conversion conversion;
        const char* problem;
    } const cases[] = {
        {"Anzahl 2\nCode x\1y 5\nPunkte 99999999999\n", Conversion::Integer,
         "line 2: \"x\\x01y\" stands where a number belongs"},
        {"Punkte\n-2147483649 2147483647", Conversion::Integer,
         "line 2: the number \"-2147483649\" does not fit in 32 bits"},
        {"Sichtweite 1e39", Conversion::Float, "line 1: the number \"1e39\" is too large"},
        // At the end of the file the line named is that of its last token.
        {"Modus 1\nPuffer\n\n", Conversion::Decimal,
         "line 2: the file ends where a number belongs"},
        {"A -2147483648 B +2147483647 C 0x7FFFFFFF", Conversion::Integer, ""},
        {"A 1.5e38 B -1e-30", Conversion::Float, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TokenReader r(c.text);
        double v = 0;
        for (int labels = 0; labels < 4 && !r.atEnd(); ++labels) {
            r.skipWord();
            read(r, c.conversion, v);
        }
        EXPECT_EQ(r.problem(), c.problem);
    }
}
