#include "profile_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "archive.h"
#include "replace_file.h"

namespace vh {

void LoadProfileFile(const std::filesystem::path& path, CControllerData& profile) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw std::system_error(EISDIR, std::generic_category(), path.string());
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::system_error(errno ? errno : ENOENT, std::generic_category(), path.string());
    CControllerData loaded;
    loaded.convertForCombined = profile.convertForCombined;
    loaded.convertFromFirstKeypad = profile.convertFromFirstKeypad;
    CArchive ar(in, path.string());
    loaded.Serialize(ar);
    profile = std::move(loaded);
}

void SaveProfileFile(const std::filesystem::path& path, CControllerData& profile) {
    std::string bytes;
    CArchive ar(bytes);
    profile.Serialize(ar);
    ReplaceFileContents(path, bytes);
}

}  // namespace vh
