#pragma once

#include <string>

namespace ks {

/// Reads a whole decimal number in 0 .. max: digits only (no sign, no spaces), at most 19 of them,
/// so nothing overflows on the way. Returns false, and leaves value unspecified, for anything else.
bool parseDecimal(const std::string& text, unsigned long long max, unsigned long long& value);

} // namespace ks
