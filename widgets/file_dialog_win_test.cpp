// The folder write check on descriptors built here and on real folders, and the
// system dialog driven from a timer as a user would: a name taken, a name refused.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "widgets/file_dialog_win.h"

namespace {

namespace fs = std::filesystem;

// The process token's user and primary group, for descriptors AccessCheck accepts.
class TokenSids {
  public:
    TokenSids() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
        user_ = Query(token, TokenUser);
        group_ = Query(token, TokenPrimaryGroup);
        CloseHandle(token);
    }
    PSID User() const {
        return user_.empty() ? nullptr
                             : reinterpret_cast<const TOKEN_USER*>(user_.data())->User.Sid;
    }
    PSID Group() const {
        return group_.empty()
                   ? nullptr
                   : reinterpret_cast<const TOKEN_PRIMARY_GROUP*>(group_.data())->PrimaryGroup;
    }

  private:
    static std::vector<BYTE> Query(HANDLE token, TOKEN_INFORMATION_CLASS what) {
        DWORD size = 0;
        GetTokenInformation(token, what, nullptr, 0, &size);
        std::vector<BYTE> data(size);
        if (size == 0 || !GetTokenInformation(token, what, data.data(), size, &size)) data.clear();
        return data;
    }
    std::vector<BYTE> user_;
    std::vector<BYTE> group_;
};

struct Grant {
    PSID sid;
    DWORD mask;
};

// An absolute descriptor owned by the current user whose DACL holds exactly the
// given grants; `nullDacl` leaves it without one (everything allowed).
class Descriptor {
  public:
    Descriptor(const TokenSids& sids, const std::vector<Grant>& grants, bool nullDacl = false)
        : acl_(1024 / sizeof(DWORD)) {
        InitializeSecurityDescriptor(&sd_, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorOwner(&sd_, sids.User(), FALSE);
        SetSecurityDescriptorGroup(&sd_, sids.Group(), FALSE);
        PACL acl = reinterpret_cast<PACL>(acl_.data());
        InitializeAcl(acl, static_cast<DWORD>(acl_.size() * sizeof(DWORD)), ACL_REVISION);
        for (const Grant& grant : grants)
            AddAccessAllowedAce(acl, ACL_REVISION, grant.mask, grant.sid);
        SetSecurityDescriptorDacl(&sd_, TRUE, nullDacl ? nullptr : acl, FALSE);
    }
    PSECURITY_DESCRIPTOR Get() { return &sd_; }

  private:
    SECURITY_DESCRIPTOR sd_ = {};
    std::vector<DWORD> acl_;
};

bool ThreadImpersonates() {
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return false;
    CloseHandle(token);
    return true;
}

TEST(FolderWriteCheck, OnlyAFullWriteGrantToTheUserPasses) {
    const TokenSids sids;
    ASSERT_NE(sids.User(), nullptr);
    ASSERT_NE(sids.Group(), nullptr);
    BYTE systemSid[SECURITY_MAX_SID_SIZE];
    DWORD systemSize = sizeof systemSid;
    ASSERT_TRUE(CreateWellKnownSid(WinLocalSystemSid, nullptr, systemSid, &systemSize));

    const struct {
        const char* what;
        std::vector<Grant> grants;
        bool nullDacl;
        bool expected;
    } cases[] = {
        {"read only", {{sids.User(), FILE_GENERIC_READ}}, false, false},
        // Writing data without appending or attributes is not the write a save needs.
        {"write data only", {{sids.User(), FILE_GENERIC_READ | FILE_WRITE_DATA}}, false, false},
        {"write for someone else",
         {{sids.User(), FILE_GENERIC_READ}, {systemSid, FILE_ALL_ACCESS}},
         false,
         false},
        {"read and write", {{sids.User(), FILE_GENERIC_READ | FILE_GENERIC_WRITE}}, false, true},
        {"write split over two entries",
         {{sids.User(), FILE_GENERIC_READ | FILE_WRITE_DATA | FILE_APPEND_DATA},
          {sids.User(), FILE_WRITE_ATTRIBUTES | FILE_WRITE_EA}},
         false,
         true},
        {"empty DACL", {}, false, false},
        {"no DACL", {}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Descriptor descriptor(sids, c.grants, c.nullDacl);
        ASSERT_TRUE(IsValidSecurityDescriptor(descriptor.Get()));
        EXPECT_EQ(DescriptorGrantsWrite(descriptor.Get()), c.expected);
        // The impersonation ends with the check.
        EXPECT_FALSE(ThreadImpersonates());
    }
}

// A new, empty folder in the temporary folder, removed afterwards whatever its DACL.
class TempFolder {
  public:
    explicit TempFolder(const wchar_t* name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = fs::path(temp) / name;
        Remove();
        fs::create_directories(path_);
    }
    ~TempFolder() { Remove(); }
    const fs::path& Path() const { return path_; }
    std::wstring Text() const { return path_.wstring(); }

  private:
    void Remove() {
        // Whatever a test left on it, give the folder a DACL that lets it go.
        SECURITY_DESCRIPTOR open = {};
        InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
        SetFileSecurityW(path_.c_str(), DACL_SECURITY_INFORMATION, &open);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    fs::path path_;
};

// Gives the folder a DACL that lets the user only read it; false when the file system
// cannot keep one.
bool MakeReadOnlyForUser(const TempFolder& folder) {
    const TokenSids sids;
    Descriptor readOnly(sids, {{sids.User(), FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}});
    return SetFileSecurityW(folder.Path().c_str(), DACL_SECURITY_INFORMATION, readOnly.Get());
}

TEST(FolderWriteCheck, RealFolders) {
    TempFolder folder(L"vh-file-dialog-writable");
    EXPECT_TRUE(MayWriteFolder(folder.Text()));
    // Security that cannot be read does not refuse.
    EXPECT_TRUE(MayWriteFolder(folder.Text() + L"\\no such folder"));
    EXPECT_FALSE(ThreadImpersonates());

    TempFolder locked(L"vh-file-dialog-locked");
    if (!MakeReadOnlyForUser(locked)) GTEST_SKIP() << "folder DACLs are not kept here";
    EXPECT_FALSE(MayWriteFolder(locked.Text()));
}

// Top-level dialog windows of this thread with the given title.
HWND FindThreadDialog(const std::wstring& title) {
    struct Search {
        const std::wstring* title;
        HWND found;
    } search = {&title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            wchar_t text[256] = {};
            GetClassNameW(window, name, 64);
            GetWindowTextW(window, text, 256);
            if (std::wstring(name) != L"#32770" || *s->title != text) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Plays steps from a thread timer while a modal loop runs on this thread; each step
// is retried every tick until it returns true. After the deadline every dialog of the
// thread is cancelled, so that a broken dialog fails the test instead of hanging it.
class Driver {
  public:
    using Step = std::function<bool()>;

    explicit Driver(std::vector<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        deadline_ = GetTickCount64() + 10000;
        timer_ = SetTimer(nullptr, 0, 50, &Driver::Tick);
    }
    ~Driver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Done() const { return next_ == steps_.size(); }
    bool TimedOut() const { return timedOut_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Driver* self = current_;
        if (!self) return;
        if (GetTickCount64() > self->deadline_) {
            self->timedOut_ = true;
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND window, LPARAM) -> BOOL {
                    wchar_t name[64] = {};
                    GetClassNameW(window, name, 64);
                    if (std::wstring(name) == L"#32770")
                        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                    return TRUE;
                },
                0);
            return;
        }
        // A step may open a nested loop (a message box); the flag keeps ticks from
        // inside it from running the same step again.
        if (self->busy_ || self->Done()) return;
        self->busy_ = true;
        if (self->steps_[self->next_]()) ++self->next_;
        self->busy_ = false;
    }

    static inline Driver* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    ULONGLONG deadline_ = 0;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
    bool timedOut_ = false;
};

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Types the file name as a user would and presses the button.
void TypeNameAndPress(HWND dialog, const wchar_t* name, int button) {
    HWND edit = GetDlgItem(dialog, cmb13);
    if (!edit) edit = GetDlgItem(dialog, edt1);
    SetWindowTextW(edit, name);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

const wchar_t kFilter[] = L"Test Profiles (*.k33)|*.k33|All Files (*.*)|*.*||";
const wchar_t kTitle[] = L"Save Test Profile";

TEST(FileDialog, SaveTakesTheTypedNameWithTheDefaultExtension) {
    TempFolder folder(L"vh-file-dialog-save");
    CMyFileDialog dialog(false, L"txt", L"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    dialog.SetInitialFolder(folder.Text());
    dialog.SetDefaultExtension(L".k33");
    dialog.SetTitle(kTitle);

    std::vector<std::wstring> types;
    Driver driver({[&] {
        HWND shown = FindThreadDialog(kTitle);
        if (!shown) return false;
        HWND typeList = GetDlgItem(shown, cmb1);
        const LRESULT count = SendMessageW(typeList, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            SendMessageW(typeList, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
            types.push_back(text);
        }
        TypeNameAndPress(shown, L"chosen", IDOK);
        return true;
    }});
    EXPECT_EQ(dialog.Show(), IDOK);
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(driver.TimedOut());

    EXPECT_EQ(types, (std::vector<std::wstring>{L"Test Profiles (*.k33)", L"All Files (*.*)"}));
    EXPECT_EQ(dialog.GetPathName(), (folder.Path() / L"chosen.k33").wstring());
    EXPECT_EQ(dialog.GetFileName(), L"chosen.k33");
    EXPECT_EQ(dialog.GetFileExt(), L"k33");
    EXPECT_EQ(dialog.GetError(), 0u);
}

TEST(FileDialog, ANameInAFolderTheUserMayNotWriteIsRefusedWithTheMessage) {
    TempFolder folder(L"vh-file-dialog-refuse");
    if (!MakeReadOnlyForUser(folder)) GTEST_SKIP() << "folder DACLs are not kept here";

    CMyFileDialog dialog(false, L"k33", L"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    dialog.SetInitialFolder(folder.Text());
    dialog.SetTitle(kTitle);
    const std::wstring text =
        L"Unable to save file.  You do not have permission\nto save files to this folder.";
    dialog.SetPermissionMessage(text, L"Test Editor");

    HWND shown = nullptr;
    HWND box = nullptr;
    std::vector<std::wstring> boxTexts;
    Driver driver({
        [&] {
            shown = FindThreadDialog(kTitle);
            if (!shown) return false;
            TypeNameAndPress(shown, L"refused", IDOK);
            return true;
        },
        [&] {
            box = FindThreadDialog(L"Test Editor");
            if (!box) return false;
            EXPECT_EQ(GetWindow(box, GW_OWNER), shown);
            for (HWND child = GetWindow(box, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                boxTexts.push_back(TextOf(child));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            // The message is gone and the dialog is still there for another name.
            if (IsWindow(box)) return false;
            EXPECT_TRUE(IsWindow(shown));
            TypeNameAndPress(shown, L"", IDCANCEL);
            return true;
        },
    });
    EXPECT_EQ(dialog.Show(), IDCANCEL);
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_NE(std::find(boxTexts.begin(), boxTexts.end(), text), boxTexts.end());
    EXPECT_EQ(dialog.GetPathName(), L"");
    EXPECT_EQ(dialog.GetError(), 0u);
    EXPECT_FALSE(fs::exists(folder.Path() / L"refused.k33"));
}

}  // namespace
