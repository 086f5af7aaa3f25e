// A module's resources in one language, found as the language choice says: the
// language itself, its neutral form, English, and for resources kept in no
// particular language (pictures, icons) wherever the module has them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace vh {

// The resource types, as wide names whatever the build's character set.
inline const LPCWSTR kRtBitmap = MAKEINTRESOURCEW(2);
inline const LPCWSTR kRtMenu = MAKEINTRESOURCEW(4);
inline const LPCWSTR kRtDialog = MAKEINTRESOURCEW(5);
inline const LPCWSTR kRtString = MAKEINTRESOURCEW(6);
inline const LPCWSTR kRtAccelerator = MAKEINTRESOURCEW(9);

class CResources {
  public:
    CResources(HMODULE module, uint16_t language) : module_(module), language_(language) {}

    HMODULE Module() const { return module_; }
    uint16_t Language() const { return language_; }

    // The resource's bytes; empty when the module lacks it in every language tried.
    std::span<const uint8_t> Find(LPCWSTR type, LPCWSTR name) const;
    std::span<const uint8_t> Find(LPCWSTR type, int id) const {
        return Find(type, MAKEINTRESOURCEW(id));
    }

    bool HasString(int id) const;
    // Empty when missing.
    std::wstring LoadString(int id) const;
    // Owned by the caller; null when missing.
    HMENU LoadMenu(int id) const;
    HACCEL LoadAccelerators(int id) const;
    HBITMAP LoadBitmap(int id) const;
    // Null when missing; points into the module.
    const DLGTEMPLATE* DialogTemplate(int id) const;

  private:
    HMODULE module_;
    uint16_t language_;
};

}  // namespace vh
