// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/token_reader.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/file_access.hpp"
#include "services/app_state.hpp"

namespace tiefschacht {

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
    pos_ = 0;
    numberStart_ = numberEnd_ = wordStart_ = 0;
    problem_.clear();
    return readRegularFile(path ? path : "", dataFileSizeLimit, text_, error);
}

std::string quotedToken(std::string_view token) {
    constexpr size_t shown = 40;
    std::string out = "\"";
    for (size_t i = 0; i < token.size() && i < shown; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (token.size() > shown) out += "...";
    return out + "\"";
}

void TokenReader::noteProblem(std::string_view what) {
    skipSpace();
    noteProblemAt(pos_, what);
}

void TokenReader::noteProblemAtLastNumber(std::string_view what) {
    noteProblemAt(numberStart_, what);
}

void TokenReader::noteProblemAt(size_t at, std::string_view what) {
    if (!problem_.empty()) return;
    at = std::min(at, text_.size());
    // At the end of the file the place to name is its last token.
    if (at == text_.size())
        while (at > 0 && isBlank(text_[at - 1])) --at;
    const auto line =
        1 + std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    problem_ = "line " + std::to_string(line) + ": ";
    problem_ += what;
}

void TokenReader::noteProblemAtLastWord(std::string_view what) { noteProblemAt(wordStart_, what); }

std::string_view TokenReader::lastNumber() const {
    return std::string_view(text_).substr(numberStart_, numberEnd_ - numberStart_);
}

// Notes why a number could not be read; always false.
bool TokenReader::failedNumber() {
    if (!problem_.empty()) return false;  // only the first is told
    if (atEnd()) {
        noteProblem("the file ends where a number belongs");
    } else {
        size_t end = pos_;
        while (end < text_.size() && !isBlank(text_[end])) ++end;
        noteProblem(quotedToken(std::string_view(text_).substr(pos_, end - pos_)) +
                    " stands where a number belongs");
    }
    return false;
}

void openDataFile(TokenReader& reader, const char* path) {
    std::string error;
    if (!reader.open(path, error)) failOnFile(path, error.c_str());
}

void warnAboutProblem(const TokenReader& reader, const char* path) {
    if (!reader.problem().empty()) warnAboutFile(path ? path : "(no name)", reader.problem());
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
    if (pos_ >= text_.size()) {
        noteProblem("the file ends early");
        return false;
    }
    size_t start = pos_;
    wordStart_ = start;
    while (pos_ < text_.size() && !isBlank(text_[pos_])) ++pos_;
    size_t len = pos_ - start;
    if (len > tokenCapacity - 1) len = tokenCapacity - 1;
    out.assign(text_, start, len);
    return true;
}

bool TokenReader::skipWord() {
    skipSpace();
    if (pos_ >= text_.size()) {
        noteProblem("the file ends early");
        return false;
    }
    while (pos_ < text_.size() && !isBlank(text_[pos_])) ++pos_;
    return true;
}

// Reads digits of a base with wrap-around (as the C conversions store an
// out-of-range value truncated to 32 bits). Returns the number of digits;
// `huge` is set when the value passed 32 bits.
static size_t readDigits(const std::string& t, size_t& pos, int base, uint64_t& value, bool& huge) {
    size_t count = 0;
    while (pos < t.size() && digitValue(t[pos]) < base) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digitValue(t[pos]));
        if (value > 0xFFFFFFFFu) {
            huge = true;
            value &= 0xFFFFFFFFu;
        }
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
    const size_t start = p;
    bool negative = false;
    bool huge = false;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
        negative = text_[p] == '-';
        ++p;
    }
    uint64_t value = 0;
    if (prefixes && p < text_.size() && text_[p] == '0') {
        if (p + 1 < text_.size() && (text_[p + 1] == 'x' || text_[p + 1] == 'X') &&
            p + 2 < text_.size() && digitValue(text_[p + 2]) < 16) {
            p += 2;
            readDigits(text_, p, 16, value, huge);
        } else {
            readDigits(text_, p, 8, value, huge);  // the leading 0 itself is an octal digit
        }
    } else if (readDigits(text_, p, 10, value, huge) == 0) {
        return failedNumber();
    }
    const uint64_t largest = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (huge || value > largest)
        noteProblemAt(start, "the number " +
                                 quotedToken(std::string_view(text_).substr(start, p - start)) +
                                 " does not fit in 32 bits");
    pos_ = p;
    numberStart_ = start;
    numberEnd_ = p;
    uint32_t bits = static_cast<uint32_t>(value);
    out = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

bool TokenReader::readDecimal(int32_t& out) { return readSignedInteger(out, false); }

bool TokenReader::readInteger(int32_t& out) { return readSignedInteger(out, true); }

bool TokenReader::readFloat(float& out) {
    skipSpace();
    if (pos_ >= text_.size()) return failedNumber();
    // strtof needs a terminated string: copy the token (bounded).
    size_t end = pos_;
    while (end < text_.size() && !isBlank(text_[end]) && end - pos_ < 511) ++end;
    char buf[512];
    std::memcpy(buf, text_.data() + pos_, end - pos_);
    buf[end - pos_] = '\0';
    char* stop = nullptr;
    errno = 0;
    float v = std::strtof(buf, &stop);
    if (stop == buf) return failedNumber();
    if (errno == ERANGE && std::isinf(v))
        noteProblemAt(pos_,
                      "the number " +
                          quotedToken(std::string_view(buf, static_cast<size_t>(stop - buf))) +
                          " is too large");
    numberStart_ = pos_;
    pos_ += static_cast<size_t>(stop - buf);
    numberEnd_ = pos_;
    out = v;
    return true;
}

bool TokenReader::readLabelledDecimal(int32_t& out) {
    skipWord();
    return readDecimal(out);
}

bool TokenReader::readLabelledInteger(int32_t& out) {
    skipWord();
    return readInteger(out);
}

bool TokenReader::readLabelledFloat(float& out) {
    skipWord();
    return readFloat(out);
}

}  // namespace tiefschacht
