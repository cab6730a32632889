// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks the readers of records share: a count within its table, a
// record the file really holds.
#include "services/token_reader.hpp"

namespace tiefschacht {

// Limits a count read from a file to 0..capacity. A count outside that range
// is noted as the file's problem, written as the file writes it: call it
// right after the count is read.
int32_t limitCount(TokenReader& reader, int32_t count, int32_t capacity, const char* what);

// Whether the file holds one more record after `held` of the `announced`.
// When it has ended, notes that as the file's problem: the records it does
// not hold are not made.
bool holdsRecord(TokenReader& reader, int32_t held, int32_t announced, const char* what);

}  // namespace tiefschacht
