#include "devices/res_dll.h"

#include <gtest/gtest.h>

namespace {

GUID Guid(uint32_t n) {
    return GUID{0x0DF6BB60 + n, 0xAE74, 0x11D4, {0x95, 0x48, 0, 0x50, 4, 0x72, 0x8F, 0x22}};
}

class FakeModule : public RESDLL_INFO {
  public:
    FakeModule(const GUID& guid, std::string path) : path_(std::move(path)) { deviceType = guid; }
    std::string GetDeviceSupportedName() const override { return path_; }
    std::string GetProfileExtention() const override { return ""; }
    uint16_t GetResourceID(int) const override { return 0; }
    int GetControlCount() const override { return 0; }
    const VH_CONTROL_RECORD* GetControlByIndex(int) const override { return nullptr; }
    const VH_OVERLAY_RECORD* GetOverlay(int) const override { return nullptr; }
    const VH_AXIS_RECORD* GetAxisOverlay(int) const override { return nullptr; }

  private:
    std::string path_;  // answers as its name, so a test sees which file won
};

// A folder tree: pattern -> entries, and which files are modules of which device.
struct FakeTree : IDirectoryLister, IModuleLoader {
    std::map<std::string, std::vector<Entry>> folders;
    std::map<std::string, uint32_t> modules;  // path -> device number
    std::vector<std::string> listed;

    std::vector<Entry> List(const std::string& pattern) override {
        listed.push_back(pattern);
        const auto it = folders.find(pattern);
        return it == folders.end() ? std::vector<Entry>{} : it->second;
    }
    std::unique_ptr<RESDLL_INFO> Accept(const std::string& path) override {
        const auto it = modules.find(path);
        if (it == modules.end()) throw CResDllError("Bad DLL");
        return std::make_unique<FakeModule>(Guid(it->second), path);
    }
};

constexpr uint32_t kDir = kAttributeDirectory;
constexpr uint32_t kFile = 0x20;

TEST(ResDll, SubfolderIsSearchedWhenTheTopHoldsNoModule) {
    FakeTree tree;
    tree.folders["C:\\vh\\*.*"] = {{".", kDir}, {"..", kDir}, {"readme.txt", kFile}, {"res", kDir}};
    tree.folders["C:\\vh\\res\\*.*"] = {{"k33.dll", kFile}, {"G74.DLL", kFile}};
    tree.modules = {{"C:\\vh\\res\\k33.dll", 5}, {"C:\\vh\\res\\G74.DLL", 3}};
    CResDll registry(tree, tree);
    EXPECT_TRUE(registry.Load("C:\\vh\\*.*"));
    EXPECT_EQ(registry.Modules().size(), 2u);
    ASSERT_NE(registry.Find(Guid(3)), nullptr);
    EXPECT_EQ(registry.Find(Guid(3))->GetDeviceSupportedName(), "C:\\vh\\res\\G74.DLL");
    EXPECT_EQ(registry.Find(Guid(4)), nullptr);
}

TEST(ResDll, SubfoldersAreSkippedOnceAModuleIsAccepted) {
    FakeTree tree;
    tree.folders["C:\\vh\\*.*"] = {
        {"first", kDir}, {"k31.dll", kFile}, {"second", kDir}, {"w58.dll", kFile}, {"third", kDir}};
    tree.folders["C:\\vh\\first\\*.*"] = {{"bad.dll", kFile}};  // nothing acceptable
    tree.folders["C:\\vh\\second\\*.*"] = {{"q97.dll", kFile}};
    tree.modules = {{"C:\\vh\\k31.dll", 0}, {"C:\\vh\\w58.dll", 4}, {"C:\\vh\\second\\q97.dll", 9}};
    CResDll registry(tree, tree);
    EXPECT_TRUE(registry.Load("C:\\vh\\*.*"));
    EXPECT_EQ(tree.listed, (std::vector<std::string>{"C:\\vh\\*.*", "C:\\vh\\first\\*.*"}));
    EXPECT_NE(registry.Find(Guid(0)), nullptr);
    EXPECT_NE(registry.Find(Guid(4)), nullptr);  // files after the module still count
    EXPECT_EQ(registry.Find(Guid(9)), nullptr);
}

TEST(ResDll, OnlyPlainFoldersAreEnteredAndOnlyDllFilesTried) {
    FakeTree tree;
    tree.folders["vh\\*.dll"] = {{"locked", kDir | kAttributeReadOnly},
                                 {"k33.dll.txt", kFile},
                                 {"k33", kFile},
                                 {"notes", kDir}};
    tree.folders["vh\\notes\\*.dll"] = {{"g71.Dll", kFile}};
    tree.folders["vh\\locked\\*.dll"] = {{"k33.dll", kFile}};
    tree.modules = {{"vh\\notes\\g71.Dll", 2}, {"vh\\locked\\k33.dll", 5}, {"vh\\k33", 5}};
    CResDll registry(tree, tree);
    EXPECT_TRUE(registry.Load("vh\\*.dll"));
    EXPECT_EQ(tree.listed, (std::vector<std::string>{"vh\\*.dll", "vh\\notes\\*.dll"}));
    EXPECT_EQ(registry.Modules().size(), 1u);
    EXPECT_NE(registry.Find(Guid(2)), nullptr);
}

TEST(ResDll, LaterModuleWithTheSameDeviceWins) {
    FakeTree tree;
    tree.folders["D:\\x\\*.*"] = {{"a.dll", kFile}, {"b.dll", kFile}};
    tree.modules = {{"D:\\x\\a.dll", 1}, {"D:\\x\\b.dll", 1}};
    CResDll registry(tree, tree);
    EXPECT_TRUE(registry.Load("D:\\x\\*.*"));
    EXPECT_EQ(registry.Modules().size(), 1u);
    EXPECT_EQ(registry.Find(Guid(1))->GetDeviceSupportedName(), "D:\\x\\b.dll");
}

TEST(ResDll, StartupFallsBackToTheCurrentFolder) {
    FakeTree tree;
    tree.folders[".\\*.*"] = {{"k31.dll", kFile}};
    tree.modules = {{".\\k31.dll", 0}};
    CResDll registry(tree, tree);
    EXPECT_TRUE(registry.LoadAtStartup("C:\\Program Files\\Varnholt\\vhedit.exe"));
    EXPECT_EQ(tree.listed,
              (std::vector<std::string>{"C:\\Program Files\\Varnholt\\*.*", ".\\*.*"}));

    FakeTree empty;
    CResDll none(empty, empty);
    EXPECT_FALSE(none.LoadAtStartup("vhload.exe"));
}

TEST(ResDll, SplitPathFollowsTheRuntimeRules) {
    const SplitPath p("C:\\a.b\\c\\*.*");
    EXPECT_EQ(p.drive, "C:");
    EXPECT_EQ(p.folder, "\\a.b\\c\\");
    EXPECT_EQ(p.name, "*");
    EXPECT_EQ(p.extension, ".*");
    const SplitPath bare("k33.dll");
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.extension, ".dll");
}

}  // namespace
