#include "framework/settings_store_win.h"

#include <windows.h>

namespace vh {

namespace {

const wchar_t* W(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

// The key, created when missing; closed when the holder goes.
class Key {
  public:
    explicit Key(const std::u16string& path) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, W(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

std::optional<SettingValue> CRegistrySettingsStore::Get(const std::u16string& key,
                                                        const std::u16string& name) {
    Key k(key);
    if (!k.get()) return std::nullopt;
    for (;;) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(k.get(), W(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        SettingValue value{type, std::vector<uint8_t>(size)};
        const LONG rc =
            RegQueryValueExW(k.get(), W(name), nullptr, &type, value.bytes.data(), &size);
        if (rc == ERROR_MORE_DATA) continue;  // it grew in between
        if (rc != ERROR_SUCCESS) return std::nullopt;
        value.type = type;
        value.bytes.resize(size);
        return value;
    }
}

bool CRegistrySettingsStore::Set(const std::u16string& key, const std::u16string& name,
                                 const SettingValue& value) {
    Key k(key);
    return k.get() && RegSetValueExW(k.get(), W(name), 0, value.type, value.bytes.data(),
                                     static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

void CRegistrySettingsStore::Delete(const std::u16string& key, const std::u16string& name) {
    Key k(key);
    if (k.get()) RegDeleteValueW(k.get(), W(name));
}

std::vector<std::u16string> CRegistrySettingsStore::ValueNames(const std::u16string& key) {
    Key k(key);
    std::vector<std::u16string> names;
    for (DWORD i = 0; k.get(); ++i) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (RegEnumValueW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (length) names.emplace_back(name, name + length);
    }
    return names;
}

std::vector<std::u16string> CRegistrySettingsStore::SubkeyNames(const std::u16string& key) {
    Key k(key);
    std::vector<std::u16string> names;
    for (DWORD i = 0; k.get(); ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, name + length);
    }
    return names;
}

}  // namespace vh
