// The recent-file list: the last paths opened or saved, most recent first, kept in
// the settings as "file1", "file2", ... under a key of the program's.
#pragma once

#include <string>
#include <vector>

#include "framework/settings_store.h"

namespace vh {

class CRecentFileList {
  public:
    CRecentFileList(std::u16string key, size_t capacity)
        : key_(std::move(key)), capacity_(capacity) {}

    // Puts the path in front; an equal path (case does not matter) moves there.
    void Add(const std::u16string& path);
    // Removes every entry equal to the path, whatever its case.
    void Remove(const std::u16string& path);
    const std::vector<std::u16string>& Entries() const { return entries_; }

    // Reads entries file1..fileN; the list ends at the first missing or empty one.
    void ReadList(ISettingsStore& store);
    // Writes every entry and deletes the names of entries the list no longer has.
    void WriteList(ISettingsStore& store) const;

  private:
    std::u16string key_;
    size_t capacity_;
    std::vector<std::u16string> entries_;
};

// A path shortened for a menu to at most `limit` characters: the root, "...", and
// as many of the last folders as fit before the file name; the file name alone,
// cut to the limit if need be, when even that is too long.
std::u16string AbbreviatePath(const std::u16string& path, size_t limit);

// Case-insensitive in the way file names are, for the letters A-Z and Latin-1.
bool SamePath(const std::u16string& a, const std::u16string& b);

}  // namespace vh
