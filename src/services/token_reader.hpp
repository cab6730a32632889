#pragma once
// The one reader of the game's data files: whitespace-separated tokens read
// with the C conversion rules of %s, %d, %i and %f. A file is read whole into
// memory (bounded), so no conversion can run past the buffer.
#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t tokenCapacity = 200;            // a token keeps at most 199 characters
constexpr size_t dataFileSizeLimit = 16u << 20;  // larger files are refused

class TokenReader {
public:
    TokenReader() = default;
    explicit TokenReader(std::string text) : text_(std::move(text)) {}

    // Reads a whole file. False when it cannot be opened or is too large;
    // `error` then says why (for example "No such file or directory").
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

    bool atEnd();

private:
    void skipSpace();
    bool readSignedInteger(int32_t& out, bool prefixes);
    std::string text_;
    size_t pos_ = 0;
};
