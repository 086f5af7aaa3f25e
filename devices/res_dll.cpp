#include "res_dll.h"

#include <algorithm>
#include <cctype>

SplitPath::SplitPath(const std::string& path) {
    size_t at = 0;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        at = 2;
    }
    const size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && slash >= at) {
        folder = path.substr(at, slash + 1 - at);
        at = slash + 1;
    }
    const std::string rest = path.substr(at);
    const size_t dot = rest.rfind('.');
    name = rest.substr(0, dot);
    if (dot != std::string::npos) extension = rest.substr(dot);
}

namespace {

bool IsDllExtension(const std::string& extension) {
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == ".dll";
}

}  // namespace

bool CResDll::Load(const std::string& pattern) {
    const SplitPath parts(pattern);
    const std::string base = parts.drive + parts.folder;
    bool found = false;
    for (const IDirectoryLister::Entry& entry : lister_.List(pattern)) {
        if (entry.name == "." || entry.name == "..") continue;
        if (entry.attributes == kAttributeDirectory) {
            // A plain folder; read-only, hidden or system folders are not entered.
            if (!found && Load(base + entry.name + "\\" + parts.name + parts.extension))
                found = true;
            continue;
        }
        if (!IsDllExtension(SplitPath(entry.name).extension)) continue;
        try {
            std::unique_ptr<RESDLL_INFO> module = loader_.Accept(base + entry.name);
            modules_[vh::GuidToString(module->deviceType)] = std::move(module);
            found = true;
        } catch (const CResDllError&) {
            // Not one of ours, or damaged: ignored.
        }
    }
    return found;
}

bool CResDll::LoadAtStartup(const std::string& programPath) {
    // Up to and with the last separator, or the current folder for a bare name.
    std::string folder = programPath.substr(0, programPath.find_last_of("\\/") + 1);
    if (folder.empty()) folder = ".\\";
    return Load(folder + "*.*") || Load(".\\*.*");
}

const RESDLL_INFO* CResDll::Find(const GUID& deviceType) const {
    const auto it = modules_.find(vh::GuidToString(deviceType));
    return it == modules_.end() ? nullptr : it->second.get();
}
