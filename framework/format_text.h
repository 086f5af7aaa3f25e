// The programs' texts with "%d" and "%s" in them, filled in without printf's
// trust in its arguments: each conversion takes the next argument's text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vh {

// "%%" is a percent sign; a conversion without an argument left stays as written.
std::u16string FormatText(const std::u16string& pattern, const std::vector<std::u16string>& args);
std::u16string DecimalText(int64_t value);

// "major.minor.build" from a file version's two double words.
std::u16string VersionText(uint32_t mostSignificant, uint32_t leastSignificant);

}  // namespace vh
