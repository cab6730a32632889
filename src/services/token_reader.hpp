// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one reader of the game's data files: whitespace-separated tokens read
// with the C conversion rules of %s, %d, %i and %f. A file is read whole into
// memory (bounded), so no conversion can run past the buffer.
//
// A reader keeps going whatever it meets (a value that cannot be read keeps
// its previous value), but it notes the first thing it finds wrong, with the
// line it is on, so that the file's reader can warn about it once.
#include <cstdint>
#include <string>
#include <string_view>

namespace tiefschacht {

constexpr size_t tokenCapacity = 200;            // a token keeps at most 199 characters
constexpr size_t dataFileSizeLimit = 16u << 20;  // larger files are refused

class TokenReader {
public:
    TokenReader() = default;
    explicit TokenReader(std::string text) : text_(std::move(text)) {}

    // Reads a whole file. False when it cannot be opened, is not a regular
    // file or is too large; `error` then says why (for example "No such file
    // or directory").
    bool open(const char* path, std::string& error);

    // %s: the next run of non-blank characters. A token longer than 199
    // characters is cut to 199 (the rest of the run is skipped). False at the
    // end of the input.
    bool readWord(std::string& out);
    bool skipWord();
    // %d: an optionally signed decimal integer. On failure `out` is left as
    // it was and, as with the C conversion, the offending characters stay
    // unread.
    bool readDecimal(int32_t& out);
    // %i: sign, then 0x/0X hexadecimal, leading-0 octal, or decimal.
    bool readInteger(int32_t& out);
    // %f: a decimal floating-point number (also inf, nan and hex floats as
    // strtof reads them), stored as a 32-bit float.
    bool readFloat(float& out);
    // The data files write a descriptive label before each value: the label
    // is read and thrown away, then the value as above.
    bool readLabelledDecimal(int32_t& out);
    bool readLabelledInteger(int32_t& out);
    bool readLabelledFloat(float& out);

    bool atEnd();

    // The first thing found wrong, with its line ("line 3: \"abc\" stands
    // where a number belongs"); empty while nothing is. A conversion that
    // fails notes it by itself: the end of the file where more belongs, a
    // token that is not a number, a number too large for its type.
    const std::string& problem() const { return problem_; }
    // Notes a problem at the next token, unless one was noted before.
    void noteProblem(std::string_view what);
    // The same, at the last number read (a count found too large, say).
    void noteProblemAtLastNumber(std::string_view what);
    // The same, at the last word read (a name found unusable, say).
    void noteProblemAtLastWord(std::string_view what);
    // The last number read, as the file writes it.
    std::string_view lastNumber() const;

private:
    void skipSpace();
    bool readSignedInteger(int32_t& out, bool prefixes);
    bool failedNumber();
    void noteProblemAt(size_t at, std::string_view what);
    std::string text_;
    size_t pos_ = 0;
    size_t numberStart_ = 0;
    size_t numberEnd_ = 0;
    size_t wordStart_ = 0;
    std::string problem_;
};

// Reads the whole file into `reader`. A file that cannot be opened ends the
// program (after shut-down) with a message naming the file and the reason.
void openDataFile(TokenReader& reader, const char* path);

// Prints the reader's problem, if it has one, as one warning naming the file.
void warnAboutProblem(const TokenReader& reader, const char* path);

// A token as a message shows it: in quotes, cut to 40 characters, bytes that
// are not printable written as \xNN.
std::string quotedToken(std::string_view token);

}  // namespace tiefschacht
