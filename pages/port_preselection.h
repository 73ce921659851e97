#pragma once

#include <cstddef>

// The port page lists at most this many ports; later records are not shown.
constexpr std::size_t kMaxPortRows = 256;

// Which of the listed ports the port page preselects: the last port whose
// name begins with "LPT1", else the last beginning with "COM1", else the
// last beginning with "FILE" (case-sensitive, so "COM10:" counts for COM1
// and "lpt1:" for none). Only the first kMaxPortRows names take part; null
// names match nothing. Returns the row, or -1 for none.
int PreselectedPortRow(const char* const* names, std::size_t count);
