#include "widgets/file_dialog.h"

#include <algorithm>

namespace vh {

std::wstring DialogFilter(std::wstring_view bars) {
    std::wstring filter(bars);
    if (filter.empty()) return filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    // A list ends with an empty pair entry: one NUL after the last pattern, one more.
    while (filter.size() < 2 || filter[filter.size() - 1] != L'\0' ||
           filter[filter.size() - 2] != L'\0')
        filter.push_back(L'\0');
    return filter;
}

std::wstring PathFileName(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring PathExtension(std::wstring_view path) {
    const std::wstring name = PathFileName(path);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

}  // namespace vh
