#include "framework/recent_file_list.h"

#include <algorithm>

namespace vh {

namespace {

char16_t Fold(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 32);
    return c;
}

std::u16string EntryName(size_t i) {
    std::u16string name = u"file";
    for (char c : std::to_string(i + 1)) name += static_cast<char16_t>(c);
    return name;
}

}  // namespace

bool SamePath(const std::u16string& a, const std::u16string& b) {
    return std::ranges::equal(a, b, {}, Fold, Fold);
}

void CRecentFileList::Add(const std::u16string& path) {
    if (path.empty()) return;
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > capacity_) entries_.resize(capacity_);
}

void CRecentFileList::Remove(const std::u16string& path) {
    std::erase_if(entries_, [&](const std::u16string& e) { return SamePath(e, path); });
}

void CRecentFileList::ReadList(ISettingsStore& store) {
    entries_.clear();
    for (size_t i = 0; i < capacity_; ++i) {
        std::u16string path = ReadString(store, key_, EntryName(i), u"");
        if (path.empty()) break;
        entries_.push_back(std::move(path));
    }
}

void CRecentFileList::WriteList(ISettingsStore& store) const {
    for (size_t i = 0; i < capacity_; ++i) {
        if (i < entries_.size())
            WriteString(store, key_, EntryName(i), entries_[i]);
        else
            store.Delete(key_, EntryName(i));
    }
}

std::u16string AbbreviatePath(const std::u16string& path, size_t limit) {
    if (path.size() <= limit) return path;
    const size_t lastSeparator = path.find_last_of(u"\\/");
    const std::u16string file =
        lastSeparator == std::u16string::npos ? path : path.substr(lastSeparator + 1);
    // The root: "C:\" or "\\server\share\".
    size_t rootEnd = 0;
    if (path.starts_with(u"\\\\")) {
        const size_t server = path.find(u'\\', 2);
        const size_t share = server == std::u16string::npos ? server : path.find(u'\\', server + 1);
        rootEnd = share == std::u16string::npos ? 0 : share + 1;
    } else if (path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/')) {
        rootEnd = 3;
    }
    const std::u16string root = path.substr(0, rootEnd);
    const std::u16string ellipsis = u"...\\";
    if (root.size() + ellipsis.size() + file.size() > limit)
        return file.size() <= limit ? file : file.substr(0, limit);
    // Keep as many trailing folders as fit.
    size_t keepFrom = lastSeparator + 1;
    while (keepFrom > rootEnd + 1) {
        const size_t previous = path.find_last_of(u"\\/", keepFrom - 2);
        if (previous == std::u16string::npos || previous + 1 <= rootEnd) break;
        if (root.size() + ellipsis.size() + (path.size() - (previous + 1)) > limit) break;
        keepFrom = previous + 1;
    }
    return root + ellipsis + path.substr(keepFrom);
}

}  // namespace vh
