#include "framework/settings_store.h"

#include <algorithm>

namespace vh {

namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

}  // namespace

std::vector<uint8_t> TextBytes(const std::u16string& text, bool terminated) {
    std::vector<uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::u16string TextOfBytes(const std::vector<uint8_t>& bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (c == 0) break;
        text += c;
    }
    return text;
}

uint32_t ReadDword(ISettingsStore& store, const std::u16string& key, const std::u16string& name,
                   uint32_t fallback) {
    const auto value = store.Get(key, name);
    if (!value || value->type != SETTING_DWORD || value->bytes.size() != 4) return fallback;
    const auto& b = value->bytes;
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

bool WriteDword(ISettingsStore& store, const std::u16string& key, const std::u16string& name,
                uint32_t value) {
    return store.Set(key, name,
                     {SETTING_DWORD,
                      {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}});
}

std::u16string ReadString(ISettingsStore& store, const std::u16string& key,
                          const std::u16string& name, const std::u16string& fallback) {
    const auto value = store.Get(key, name);
    if (!value || value->type != SETTING_SZ) return fallback;
    return TextOfBytes(value->bytes);
}

bool WriteString(ISettingsStore& store, const std::u16string& key, const std::u16string& name,
                 const std::u16string& value) {
    return store.Set(key, name, {SETTING_SZ, TextBytes(value, true)});
}

bool CMemorySettingsStore::NoCase::operator()(const std::u16string& a,
                                              const std::u16string& b) const {
    return std::ranges::lexicographical_compare(
        a, b, [](char16_t x, char16_t y) { return Lower(x) < Lower(y); });
}

std::optional<SettingValue> CMemorySettingsStore::Get(const std::u16string& key,
                                                      const std::u16string& name) {
    auto& values = keys_[key];
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

bool CMemorySettingsStore::Set(const std::u16string& key, const std::u16string& name,
                               const SettingValue& value) {
    auto& values = keys_[key];
    if (readOnly_) return false;
    values[name] = value;
    return true;
}

void CMemorySettingsStore::Delete(const std::u16string& key, const std::u16string& name) {
    auto& values = keys_[key];
    if (!readOnly_) values.erase(name);
}

std::vector<std::u16string> CMemorySettingsStore::ValueNames(const std::u16string& key) {
    std::vector<std::u16string> names;
    for (const auto& [name, value] : keys_[key])
        if (!name.empty()) names.push_back(name);
    return names;
}

std::vector<std::u16string> CMemorySettingsStore::SubkeyNames(const std::u16string& key) {
    keys_[key];
    // Direct children only: "key\child", without a further separator.
    std::vector<std::u16string> names;
    for (const auto& [path, values] : keys_) {
        if (path.size() <= key.size() + 1 || path[key.size()] != u'\\' ||
            NoCase{}(path.substr(0, key.size()), key) || NoCase{}(key, path.substr(0, key.size())))
            continue;
        const std::u16string child = path.substr(key.size() + 1);
        if (child.find(u'\\') == std::u16string::npos) names.push_back(child);
    }
    return names;
}

bool CMemorySettingsStore::HasKey(const std::u16string& key) const {
    return keys_.count(key) != 0;
}

}  // namespace vh
