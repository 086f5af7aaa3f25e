#include <gtest/gtest.h>

#include "framework/recent_file_list.h"
#include "framework/settings_store.h"

namespace {

const std::u16string kKey = u"Software\\Dravik\\Gaming\\Editor\\MRU";

TEST(SettingsStore, MissingValuesReadAsDefaultsAndEveryAccessCreatesTheKey) {
    vh::CMemorySettingsStore store;
    EXPECT_EQ(vh::ReadDword(store, u"Software\\A", u"g74PadSwap", 7), 7u);
    EXPECT_TRUE(store.HasKey(u"software\\a"));  // created by the read; case does not matter
    EXPECT_EQ(vh::ReadString(store, u"Software\\A", u"x", u"none"), u"none");

    EXPECT_TRUE(vh::WriteDword(store, u"Software\\A", u"g74PadSwap", 0x01020304));
    EXPECT_EQ(vh::ReadDword(store, u"SOFTWARE\\a", u"G74PADSWAP", 0), 0x01020304u);
    EXPECT_EQ(store.Get(u"Software\\A", u"g74PadSwap")->bytes, (std::vector<uint8_t>{4, 3, 2, 1}));
    // Text is stored with its terminating zero; a value of another type reads as missing.
    EXPECT_TRUE(vh::WriteString(store, u"Software\\A", u"name", u"\u00E9t\u00E9"));
    EXPECT_EQ(store.Get(u"Software\\A", u"name")->bytes.size(), 8u);
    EXPECT_EQ(vh::ReadString(store, u"Software\\A", u"name", u""), u"\u00E9t\u00E9");
    EXPECT_EQ(vh::ReadDword(store, u"Software\\A", u"name", 9), 9u);
    EXPECT_EQ(vh::ReadString(store, u"Software\\A", u"g74PadSwap", u"-"), u"-");

    // Enumeration: named values only; direct subkeys only.
    vh::WriteString(store, u"Software\\A", u"", u"the default");
    EXPECT_EQ(store.ValueNames(u"Software\\A"),
              (std::vector<std::u16string>{u"g74PadSwap", u"name"}));
    vh::WriteString(store, u"Software\\A\\Fly", u"", u"C:\\fly.exe");
    vh::WriteString(store, u"Software\\A\\Fly\\Deeper", u"", u"x");
    vh::WriteString(store, u"Software\\AB", u"", u"not a child");
    EXPECT_EQ(store.SubkeyNames(u"software\\a"), std::vector<std::u16string>{u"Fly"});

    store.SetReadOnly(true);
    EXPECT_FALSE(vh::WriteDword(store, u"Software\\A", u"g74PadSwap", 1));
    EXPECT_EQ(vh::ReadDword(store, u"Software\\A", u"g74PadSwap", 0), 0x01020304u);
}

TEST(RecentFileList, KeepsFourMostRecentFirstWithoutDuplicates) {
    vh::CRecentFileList list(kKey, 4);
    for (const char16_t* path :
         {u"C:\\a.k33", u"C:\\b.k33", u"C:\\c.k33", u"C:\\d.k33", u"C:\\e.k33"})
        list.Add(path);
    EXPECT_EQ(list.Entries(), (std::vector<std::u16string>{u"C:\\e.k33", u"C:\\d.k33", u"C:\\c.k33",
                                                           u"C:\\b.k33"}));
    list.Add(u"c:\\C.K33");  // the same file: moves to the front, in the case given now
    EXPECT_EQ(list.Entries().front(), u"c:\\C.K33");
    EXPECT_EQ(list.Entries().size(), 4u);
    list.Remove(u"C:\\E.k33");
    EXPECT_EQ(list.Entries(),
              (std::vector<std::u16string>{u"c:\\C.K33", u"C:\\d.k33", u"C:\\b.k33"}));

    vh::CMemorySettingsStore store;
    vh::WriteString(store, kKey, u"file4", u"C:\\stale.k33");
    list.WriteList(store);
    EXPECT_EQ(vh::ReadString(store, kKey, u"file1", u""), u"c:\\C.K33");
    EXPECT_FALSE(store.Get(kKey, u"file4").has_value());  // the list has three now

    vh::CRecentFileList back(kKey, 4);
    back.ReadList(store);
    EXPECT_EQ(back.Entries(), list.Entries());
    // A gap ends the list.
    store.Delete(kKey, u"file2");
    back.ReadList(store);
    EXPECT_EQ(back.Entries(), std::vector<std::u16string>{u"c:\\C.K33"});
}

TEST(RecentFileList, PathsAreAbbreviatedForTheMenu) {
    struct Case {
        std::u16string path, shown;
    };
    const Case cases[] = {
        {u"C:\\Games\\fly.k33", u"C:\\Games\\fly.k33"},
        {u"C:\\Users\\me\\Documents\\Profiles\\fly.k33", u"C:\\...\\Profiles\\fly.k33"},
        {u"C:\\Users\\me\\Documents\\Profiles\\Flight\\x.k33", u"C:\\...\\Profiles\\Flight\\x.k33"},
        {u"C:\\a\\a-long-profile-name-here.k33", u"a-long-profile-name-here.k33"},
        {u"\\\\server\\share\\folder\\sub\\profile.k33", u"\\\\server\\share\\...\\profile.k33"},
        {u"C:\\x\\an-extremely-long-profile-file-name.k33", u"an-extremely-long-profile-file"},
    };
    for (const Case& c : cases) {
        const std::u16string shown = vh::AbbreviatePath(c.path, 30);
        EXPECT_EQ(shown, c.shown) << std::string(c.shown.begin(), c.shown.end());
        EXPECT_LE(shown.size(), 30u);
    }
}

}  // namespace
