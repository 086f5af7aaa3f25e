// The application layer on Windows: resources in a language with its fallbacks,
// dialogs with data exchange and the modal hook, window dispatch and its
// exception firewall, and the registry store.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "framework/application_win.h"
#include "framework/dialog_win.h"
#include "framework/settings_store_win.h"
#include "framework/window_impl_win.h"
#include "resource_languages_win.h"

namespace {

constexpr uint16_t kGerman = 0x0407, kDanish = 0x0006, kJapanese = 0x0411;

HMODULE Self() {
    return GetModuleHandleW(nullptr);
}

class TestApp : public vh::CApplication {
  public:
    TestApp() : CApplication(Self(), 100) {}
    bool InitInstance() override { return false; }
};

TEST(Resources, EachLanguageFallsBackToItsNeutralFormThenEnglish) {
    EXPECT_EQ(vh::CResources(Self(), kGerman).LoadString(100), L"Hallo");  // kept as neutral German
    EXPECT_EQ(vh::CResources(Self(), kDanish).LoadString(100), L"Hej");
    EXPECT_EQ(vh::CResources(Self(), 0x040C).LoadString(100), L"Bonjour");
    EXPECT_EQ(vh::CResources(Self(), kJapanese).LoadString(100), L"Hello");
    EXPECT_EQ(vh::CResources(Self(), kGerman).LoadString(101), L"vhedit");  // not a translated text
    EXPECT_EQ(vh::CResources(Self(), kGerman).LoadString(200), L"Only in English");
    EXPECT_EQ(vh::CResources(Self(), kGerman).LoadString(102), L"");
    EXPECT_FALSE(vh::CResources(Self(), kGerman).HasString(102));
    EXPECT_EQ(vh::CResources(Self(), 0x041D).LoadString(kFrameworkBadNumber),
              L"Ange ett heltal från %d till %d.");

    vh::CMenu menu(vh::CResources(Self(), kGerman).LoadMenu(100));
    ASSERT_NE(menu.m_hMenu, nullptr);
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Datei");
    GetMenuStringW(GetSubMenu(menu, 0), 57665, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Beenden");

    HACCEL accelerators = vh::CResources(Self(), kGerman).LoadAccelerators(100);
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[4];
    ASSERT_EQ(CopyAcceleratorTableW(accelerators, entries, 4), 1);
    EXPECT_EQ(entries[0].key, 'N');
    EXPECT_EQ(entries[0].cmd, 57600);
    EXPECT_EQ(entries[0].fVirt & (FVIRTKEY | FCONTROL), FVIRTKEY | FCONTROL);
    DestroyAcceleratorTable(accelerators);

    // Only the string kept in English on purpose lacks its translations.
    std::vector<std::string> expected;
    for (const char* language : {"da", "de", "es", "fr", "it", "nl", "sv"})
        expected.push_back(std::string("string 200 ") + language);
    EXPECT_EQ(vh::test::MissingTranslations(Self()), expected);
}

// The test dialog, driven from a timer inside its own modal loop.
class TestDialog : public vh::CDialog {
  public:
    TestDialog(const vh::CResources& r, std::function<void(TestDialog&)> drive)
        : CDialog(r, 100), drive_(std::move(drive)) {}
    std::wstring name = L"fly.k33";
    int remember = 1;
    int choice = 1;
    std::wstring caption;

  protected:
    bool OnInitDialog() override {
        caption = GetWindowTextW();
        SetTimer(1, 10);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(vh::CDataExchange& dx) override {
        vh::DDX_Text(dx, 1001, name);
        vh::DDX_Check(dx, 1002, remember);
        vh::DDX_Radio(dx, 1003, choice);
    }
    bool OnTimer(UINT_PTR) override {
        KillTimer(1);
        drive_(*this);
        return true;
    }

  private:
    std::function<void(TestDialog&)> drive_;
};

TEST(Dialog, ExchangesDataRunsTheModalHookAndSpeaksTheLanguage) {
    TestApp app;
    std::vector<bool> modal;
    app.SetModalHook([&](bool entering) { modal.push_back(entering); });
    const vh::CResources german(Self(), kGerman);

    bool filled = false;
    TestDialog dialog(german, [&](TestDialog& d) {
        filled = d.GetDlgItemTextW(1001) == L"fly.k33" &&
                 d.IsDlgButtonChecked(1002) == BST_CHECKED &&
                 d.IsDlgButtonChecked(1004) == BST_CHECKED &&
                 d.IsDlgButtonChecked(1003) == BST_UNCHECKED;
        d.SetDlgItemTextW(1001, L"race.k33");
        d.CheckDlgButton(1002, BST_UNCHECKED);
        d.SendMessageW(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(filled);
    EXPECT_EQ(dialog.caption, L"Testdialog");
    EXPECT_EQ(dialog.name, L"race.k33");
    EXPECT_EQ(dialog.remember, 0);
    EXPECT_EQ(dialog.choice, 1);
    EXPECT_EQ(modal, (std::vector<bool>{true, false}));

    // Cancel keeps the members as they were.
    TestDialog cancelled(german, [](TestDialog& d) {
        d.SetDlgItemTextW(1001, L"changed");
        d.SendMessageW(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(cancelled.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(cancelled.name, L"fly.k33");

    // A template the module lacks opens nothing.
    class Missing : public vh::CDialog {
      public:
        explicit Missing(const vh::CResources& r) : CDialog(r, 999) {}
    } missing(german);
    EXPECT_EQ(missing.DoModal(nullptr), -1);
}

class TestWindow : public vh::CWindowImpl {
  public:
    std::vector<int> commands;

  protected:
    bool OnCommand(int id, int, HWND) override {
        commands.push_back(id);
        if (id == 2) throw std::runtime_error("disk full");
        return true;
    }
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_APP) return static_cast<LRESULT>(wParam * 2);
        return std::nullopt;
    }
};

TEST(Window, DispatchesToItsHooksAndNoExceptionReachesTheSystem) {
    std::vector<std::string> reported;
    vh::SetErrorReporter([&](HWND, const std::string& what) { reported.push_back(what); });
    TestWindow window;
    WNDCLASSEXW cls{};
    cls.lpszClassName = L"VhFrameworkTestWindow";
    ASSERT_NE(
        window.Create(cls, 0, L"test", WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(window.SendMessageW(WM_APP, 21), 42);
    window.SendMessageW(WM_COMMAND, 1);
    window.SendMessageW(WM_COMMAND, 2);  // throws inside the window procedure
    window.SendMessageW(WM_COMMAND, 3);  // and the window goes on working
    EXPECT_EQ(window.commands, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(reported, std::vector<std::string>{"disk full"});
    window.DestroyWindow();
    EXPECT_FALSE(window.IsWindow());
    vh::SetErrorReporter(nullptr);
}

TEST(RegistrySettings, ReadsCreateTheKeyAndValuesRoundTrip) {
    const std::u16string key = u"Software\\Dravik\\VhFrameworkTest";
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(key.c_str()));
    vh::CRegistrySettingsStore store;
    EXPECT_EQ(vh::ReadDword(store, key, u"g74PadSwap", 5), 5u);
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(key.c_str()), 0,
                            KEY_READ, &opened),
              ERROR_SUCCESS);
    RegCloseKey(opened);

    EXPECT_TRUE(vh::WriteDword(store, key, u"g74PadSwap", 1));
    EXPECT_EQ(vh::ReadDword(store, key, u"g74PadSwap", 0), 1u);
    EXPECT_TRUE(vh::WriteString(store, key, u"file1", u"C:\\Profiles\\\u00E9t\u00E9.k33"));
    EXPECT_EQ(vh::ReadString(store, key, u"file1", u""), u"C:\\Profiles\\\u00E9t\u00E9.k33");
    // The default value, of another type, as the recent-loadout list keeps its order.
    EXPECT_TRUE(store.Set(key, u"", {vh::SETTING_MULTI_SZ, vh::TextBytes(u"cab", false)}));
    EXPECT_EQ(store.Get(key, u"")->type, vh::SETTING_MULTI_SZ);
    EXPECT_EQ(vh::TextOfBytes(store.Get(key, u"")->bytes), u"cab");
    auto names = store.ValueNames(key);  // in the registry's order
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"file1", u"g74PadSwap"}));
    vh::WriteString(store, key + u"\\Fly", u"", u"C:\\fly.exe");
    EXPECT_EQ(store.SubkeyNames(key), std::vector<std::u16string>{u"Fly"});
    store.Delete(key, u"g74PadSwap");
    EXPECT_EQ(vh::ReadDword(store, key, u"g74PadSwap", 9), 9u);
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(key.c_str()));
}

TEST(Application, VersionTextAndSystemErrors) {
    TestApp app;
    EXPECT_EQ(app.VersionText(), L"2.6.17");
    EXPECT_FALSE(vh::SystemErrorText(ERROR_ACCESS_DENIED).empty());
    EXPECT_EQ(vh::SystemErrorText(ERROR_ACCESS_DENIED).back() != L'\n', true);
}

}  // namespace
