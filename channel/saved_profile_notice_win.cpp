#include "saved_profile_notice_win.h"

#include "channel/command_channel.h"

namespace {

struct Search {
    HWND own;
    std::wstring_view prefix;
    int posted = 0;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    if (window == search.own) return TRUE;
    wchar_t title[256];
    const int length = GetWindowTextW(window, title, 256);
    if (vh::TitleStartsWith(std::wstring_view(title, static_cast<size_t>(length)), search.prefix) &&
        PostMessageW(window, kSavedProfileMessage, 0, 0))
        ++search.posted;
    return TRUE;
}

}  // namespace

int PostSavedProfileNotice(HWND own, std::wstring_view titlePrefix) {
    Search search{own, titlePrefix};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.posted;
}
