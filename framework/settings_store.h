// The current user's settings: values under keys below HKEY_CURRENT_USER. Every
// access creates a missing key, and a missing value reads as the caller's default.
// The registry on Windows; in memory for native tests (CMemorySettingsStore).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vh {

// Value types, the registry's numbers.
enum SettingType : uint32_t {
    SETTING_SZ = 1,
    SETTING_BINARY = 3,
    SETTING_DWORD = 4,
    SETTING_MULTI_SZ = 7
};

struct SettingValue {
    uint32_t type = SETTING_SZ;
    std::vector<uint8_t> bytes;  // as stored: UTF-16LE for the text types
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // `key` is a path such as u"Software\\Dravik\\Varnholt"; `name` empty is the
    // key's default value.
    virtual std::optional<SettingValue> Get(const std::u16string& key,
                                            const std::u16string& name) = 0;
    // False when the value could not be written.
    virtual bool Set(const std::u16string& key, const std::u16string& name,
                     const SettingValue& value) = 0;
    virtual void Delete(const std::u16string& key, const std::u16string& name) = 0;
    // The key's named values (not its default value), and its subkeys, in the
    // store's order.
    virtual std::vector<std::u16string> ValueNames(const std::u16string& key) = 0;
    virtual std::vector<std::u16string> SubkeyNames(const std::u16string& key) = 0;
};

// Typed access. A value of another type reads as missing.
uint32_t ReadDword(ISettingsStore& store, const std::u16string& key, const std::u16string& name,
                   uint32_t fallback);
bool WriteDword(ISettingsStore& store, const std::u16string& key, const std::u16string& name,
                uint32_t value);
std::u16string ReadString(ISettingsStore& store, const std::u16string& key,
                          const std::u16string& name, const std::u16string& fallback);
// Stored with its terminating zero, as the system stores text.
bool WriteString(ISettingsStore& store, const std::u16string& key, const std::u16string& name,
                 const std::u16string& value);

// UTF-16LE bytes of a text, and the text of such bytes up to the first zero.
std::vector<uint8_t> TextBytes(const std::u16string& text, bool terminated);
std::u16string TextOfBytes(const std::vector<uint8_t>& bytes);

class CMemorySettingsStore : public ISettingsStore {
  public:
    std::optional<SettingValue> Get(const std::u16string& key, const std::u16string& name) override;
    bool Set(const std::u16string& key, const std::u16string& name,
             const SettingValue& value) override;
    void Delete(const std::u16string& key, const std::u16string& name) override;
    std::vector<std::u16string> ValueNames(const std::u16string& key) override;
    std::vector<std::u16string> SubkeyNames(const std::u16string& key) override;

    // Keys the store has (created by any access); names compare without case, as
    // the registry's do.
    bool HasKey(const std::u16string& key) const;
    // Makes every write fail, as a registry without write access does.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  private:
    struct NoCase {
        bool operator()(const std::u16string& a, const std::u16string& b) const;
    };
    std::map<std::u16string, std::map<std::u16string, SettingValue, NoCase>, NoCase> keys_;
    bool readOnly_ = false;
};

}  // namespace vh
