// Profiles as files.
#pragma once

#include <filesystem>

#include "controller_data.h"

namespace vh {

// Reads the file into `profile`, honouring the conversion switches already set on
// it. On failure `profile` is unchanged: CArchiveException for a malformed file,
// std::system_error when it cannot be read.
void LoadProfileFile(const std::filesystem::path& path, CControllerData& profile);

// Writes `profile` as a current-generation file (which sets its header and
// version); the previous file survives any failure (std::system_error).
void SaveProfileFile(const std::filesystem::path& path, CControllerData& profile);

}  // namespace vh
