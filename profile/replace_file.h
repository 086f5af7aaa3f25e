// Writing a file so that a failure never destroys what was there before.
#pragma once

#include <filesystem>
#include <string_view>

namespace vh {

// Writes `bytes` to a temporary file beside `target` and moves it over `target`
// only when every byte was written. Throws std::system_error naming the target;
// then the old file, if any, is unchanged and no temporary file is left.
void ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

}  // namespace vh
