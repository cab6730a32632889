#include "services/token_reader.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}
}  // namespace

bool TokenReader::open(const char* path, std::string& error) {
    text_.clear();
    pos_ = 0;
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (text_.size() + n > dataFileSizeLimit) {
            std::fclose(f);
            text_.clear();
            error = "file is larger than 16 MiB";
            return false;
        }
        text_.append(chunk, n);
    }
    bool readError = std::ferror(f) != 0;
    int savedErrno = errno;
    std::fclose(f);
    if (readError) {
        text_.clear();
        error = std::strerror(savedErrno);
        return false;
    }
    return true;
}

void TokenReader::skipSpace() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
}

bool TokenReader::atEnd() {
    skipSpace();
    return pos_ >= text_.size();
}

bool TokenReader::readWord(std::string& out) {
    skipSpace();
    if (pos_ >= text_.size()) return false;
    size_t start = pos_;
    while (pos_ < text_.size() && !isBlank(text_[pos_])) ++pos_;
    size_t len = pos_ - start;
    if (len > tokenCapacity - 1) len = tokenCapacity - 1;
    out.assign(text_, start, len);
    return true;
}

bool TokenReader::skipWord() {
    skipSpace();
    if (pos_ >= text_.size()) return false;
    while (pos_ < text_.size() && !isBlank(text_[pos_])) ++pos_;
    return true;
}

// Reads digits of a base with wrap-around (as the C conversions store an
// out-of-range value truncated to 32 bits). Returns the number of digits.
static size_t readDigits(const std::string& t, size_t& pos, int base, uint64_t& value) {
    size_t count = 0;
    while (pos < t.size() && digitValue(t[pos]) < base) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digitValue(t[pos]));
        ++pos;
        ++count;
    }
    return count;
}

// %d and %i: an optional sign, then the digits; with `prefixes`, 0x/0X
// introduces hexadecimal and a leading 0 octal. The value is stored
// truncated to 32 bits, as the C conversions store an out-of-range number.
bool TokenReader::readSignedInteger(int32_t& out, bool prefixes) {
    skipSpace();
    size_t p = pos_;
    bool negative = false;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
        negative = text_[p] == '-';
        ++p;
    }
    uint64_t value = 0;
    if (prefixes && p < text_.size() && text_[p] == '0') {
        if (p + 1 < text_.size() && (text_[p + 1] == 'x' || text_[p + 1] == 'X') &&
            p + 2 < text_.size() && digitValue(text_[p + 2]) < 16) {
            p += 2;
            readDigits(text_, p, 16, value);
        } else {
            readDigits(text_, p, 8, value);  // the leading 0 itself is an octal digit
        }
    } else if (readDigits(text_, p, 10, value) == 0) {
        return false;
    }
    pos_ = p;
    uint32_t bits = static_cast<uint32_t>(value);
    out = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

bool TokenReader::readDecimal(int32_t& out) { return readSignedInteger(out, false); }

bool TokenReader::readInteger(int32_t& out) { return readSignedInteger(out, true); }

bool TokenReader::readFloat(float& out) {
    skipSpace();
    if (pos_ >= text_.size()) return false;
    // strtof needs a terminated string: copy the token (bounded).
    size_t end = pos_;
    while (end < text_.size() && !isBlank(text_[end]) && end - pos_ < 511) ++end;
    char buf[512];
    std::memcpy(buf, text_.data() + pos_, end - pos_);
    buf[end - pos_] = '\0';
    char* stop = nullptr;
    float v = std::strtof(buf, &stop);
    if (stop == buf) return false;
    pos_ += static_cast<size_t>(stop - buf);
    out = v;
    return true;
}
