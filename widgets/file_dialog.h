// What the file dialog does without Windows: the filter text in the form the system
// dialog reads, and the parts of a chosen path.
#pragma once

#include <string>
#include <string_view>

namespace vh {

// "Profiles (*.k33)|*.k33|All Files (*.*)|*.*||" as the system dialog wants it: every
// '|' a NUL, ending in two NULs even when the "||" is left out. Empty stays empty.
std::wstring DialogFilter(std::wstring_view bars);

// The last component of a path ('\\' or '/' separated).
std::wstring PathFileName(std::wstring_view path);

// The text after the last '.' of the file name, without the dot; empty without one.
std::wstring PathExtension(std::wstring_view path);

}  // namespace vh
