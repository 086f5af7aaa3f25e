// The editor's notice that it saved a profile, for the loadout managers running: a
// message posted to each top-level window whose title starts with the manager's.
#pragma once

#include <windows.h>

#include <string_view>

inline constexpr UINT kSavedProfileMessage = 0x8191;

// Posts kSavedProfileMessage (0, 0) to every top-level window but OWN whose title
// starts with TITLE_PREFIX (the editor's string 32805); returns how many were told.
int PostSavedProfileNotice(HWND own, std::wstring_view titlePrefix);
