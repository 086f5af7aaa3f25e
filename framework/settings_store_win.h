// The settings store over the current user's registry.
#pragma once

#include "framework/settings_store.h"

namespace vh {

class CRegistrySettingsStore : public ISettingsStore {
  public:
    std::optional<SettingValue> Get(const std::u16string& key, const std::u16string& name) override;
    bool Set(const std::u16string& key, const std::u16string& name,
             const SettingValue& value) override;
    void Delete(const std::u16string& key, const std::u16string& name) override;
    std::vector<std::u16string> ValueNames(const std::u16string& key) override;
    std::vector<std::u16string> SubkeyNames(const std::u16string& key) override;
};

}  // namespace vh
