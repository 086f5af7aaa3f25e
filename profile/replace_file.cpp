#include "replace_file.h"

#include <cerrno>
#include <chrono>
#include <fstream>
#include <system_error>

namespace vh {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = target;
    temp += ".";
    temp += std::to_string(static_cast<unsigned long long>(stamp) % 1000000007ULL);
    temp += ".tmp";
    return temp;
}

[[noreturn]] void Fail(int error, const std::filesystem::path& target) {
    throw std::system_error(error ? error : EIO, std::generic_category(), target.string());
}

}  // namespace

void ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path temp = TemporaryBeside(target);
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) Fail(errno, target);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            const int error = errno;
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            Fail(error, target);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw std::system_error(ec, target.string());
    }
}

}  // namespace vh
