// The user's .fluent and its backup through every kind of start, the Workbench tip's say, and
// files that another program holds or that are folders: the user's file and its backup are never
// lost, and a start that cannot prepare .fluent ends with the message.
#include "base/launch_log.h"
#include "base/text.h"
#include "base/settings_store_win.h"
#include "launch/startup_file/startup_file.h"
#include "launch/startup_file/startup_file_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/process_environment_win.h"
#include "tests/support/test_support_win.h"
#include "tests/win/coupling_support_win.h"
#include "texts/language.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {
namespace {

const std::string Line = FastLoadLine;
const std::string User = "(display \"the user's own start-up\")\n";
const std::string OldBackup = ";; an older backup\n";
const std::wstring StartupFileUnopenable =
    L"Can't open key file. Try closing other Fluent prcesss.";

// A file's content, or nothing when there is no file (a folder counts as no file).
std::optional<std::string> Content(const std::wstring& path) {
    if (!IsFile(path)) return std::nullopt;
    return ReadFileBytes(path);
}

// Its parts are open to the cases of a table, which change them.
class StartupFile : public ::testing::Test {
  public:
    void SetUp() override { SetInterfaceLanguage(InterfaceLanguage::English); }
    void TearDown() override { SetInterfaceLanguage(language_); }

    std::wstring S() const { return home_ / L".fluent"; }
    std::wstring B() const { return home_ / L".fluent(Quorvex).backup"; }
    // An older backup kept beside the backup.
    std::wstring Kept(int number) const { return B() + L"." + std::to_wstring(number); }
    bool RemoveAll() const {
        return RemoveTree(S()) && RemoveTree(B()) && RemoveTree(Kept(1)) && RemoveTree(Kept(2));
    }
    void Put(const std::wstring& path, const std::optional<std::string>& text) const {
        if (text) {
            EXPECT_TRUE(WriteFileBytes(path, *text)) << path;
        }
    }
    LaunchStep Prepare(bool workbench, double version = 19.2) {
        return PrepareStartupFile(workbench, version, home_.Path(), state_, owner_);
    }
    // Another program holding a file, until it is released or the test ends, or until it lets go
    // by itself about letGoAfterMs later.
    void Hold(const std::wstring& path, const wchar_t* how, DWORD letGoAfterMs = 0) {
        held_.push_back(std::make_unique<HeldFile>(how, path, letGoAfterMs));
        ASSERT_TRUE(held_.back()->Holds());
    }
    void ReleaseHeldFiles() { held_.clear(); }
    ~StartupFile() override { ReleaseHeldFiles(); }

    TempFolder home_;
    ScriptedPrompts prompts_;
    LaunchState state_;
    ScopedRegistryKey settings_{HKEY_CURRENT_USER, SettingsKeyPath};
    HWND owner_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x2468));
    std::vector<std::unique_ptr<HeldFile>> held_;

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

TEST_F(StartupFile, EveryStateThroughEveryStart) {
    using Text = std::optional<std::string>;
    const Text none;
    struct Case {
        const char* name;
        Text s, b;
        bool workbench;
        Text sAfter, bAfter;
        Text kept = std::nullopt; // the older backup, kept beside the new one
    };
    const std::vector<Case> cases{
        {"no .fluent, direct start: nothing touched", none, none, false, none, none},
        {"user's .fluent, direct start: nothing touched", User, OldBackup, false, User, OldBackup},
        {"user's .fluent, Workbench: moved to the backup", User, none, true, Line, User},
        {"user's .fluent, Workbench: a differing older backup kept", User, OldBackup, true, Line,
         User, OldBackup},
        {"user's .fluent, Workbench: the same older backup just replaced", User, User, true, Line,
         User},
        {"no .fluent, Workbench: the line alone", none, none, true, Line, none},
        {"launcher's with backup, direct: put back", Line, User, false, User, none},
        {"launcher's without backup, direct: removed", Line, none, false, none, none},
        {"launcher's, Workbench: both stay", Line, User, true, Line, User},
        {"comment before the line, Workbench: the user's", ";;\n" + Line, none, true, Line,
         ";;\n" + Line},
        {"launcher's line and more, direct: still the launcher's", Line + "\n(more)", User, false,
         User, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(RemoveAll());
        Put(S(), c.s);
        Put(B(), c.b);
        prompts_.messages.clear();
        EXPECT_EQ(Prepare(c.workbench), LaunchStep::Continue);
        EXPECT_EQ(Content(S()), c.sAfter);
        EXPECT_EQ(Content(B()), c.bAfter);
        EXPECT_EQ(Content(Kept(1)), c.kept);
        EXPECT_FALSE(IsFile(Kept(2)));
        EXPECT_TRUE(prompts_.messages.empty());
        EXPECT_EQ(state_.workbenchLaunched, c.workbench);
        state_.workbenchLaunched = false;
    }
}

TEST_F(StartupFile, RestoreLeavesTheUsersOwnFileAlone) {
    Put(S(), User);
    Put(B(), OldBackup);
    RestoreStartupFile(home_.Path());
    EXPECT_EQ(Content(S()), User);
    EXPECT_EQ(Content(B()), OldBackup);
    Put(S(), Line);
    RestoreStartupFile(home_.Path());
    EXPECT_EQ(Content(S()), OldBackup);
    EXPECT_EQ(Content(B()), std::nullopt);
}

TEST_F(StartupFile, TheTipShowsFrom18_2UnlessSwitchedOffAndADeclinedTipStopsTheStart) {
    struct Case {
        double version;
        const wchar_t* setting; // nullptr: not stored
        INT_PTR answer;
        bool shown;
        LaunchStep outcome;
    };
    const std::vector<Case> cases{
        {18.1, L"true", IDCANCEL, false, LaunchStep::Continue},
        {18.2, nullptr, IDOK, true, LaunchStep::Continue},
        {25.2, L"true", IDOK, true, LaunchStep::Continue},
        {19.2, L"FALSE", IDCANCEL, false, LaunchStep::Continue},
        {19.2, L" false ", IDCANCEL, false, LaunchStep::Continue}, // read trimmed
        {19.2, L"no", IDCANCEL, true, LaunchStep::StaysOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        ASSERT_TRUE(RemoveTree(S()) && RemoveTree(B()));
        Put(S(), User);
        ASSERT_TRUE(DeleteRegistryValue(HKEY_CURRENT_USER, SettingsKeyPath, L"IsWorkbenchTipShow"));
        if (c.setting) {
            ASSERT_TRUE(settings_.SetString(L"IsWorkbenchTipShow", c.setting));
        }
        prompts_.tipOwners.clear();
        prompts_.tipAnswers = {c.answer};
        state_.workbenchLaunched = false;
        EXPECT_EQ(Prepare(true, c.version), c.outcome);
        EXPECT_EQ(prompts_.tipOwners, c.shown ? std::vector<HWND>{owner_} : std::vector<HWND>{});
        // The Workbench path was taken even when the tip stopped it.
        EXPECT_TRUE(state_.workbenchLaunched);
        const bool declined = c.outcome == LaunchStep::StaysOpen;
        EXPECT_EQ(Content(S()), declined ? User : Line);
        EXPECT_EQ(Content(B()), declined ? std::nullopt : std::optional<std::string>(User));
    }
}

TEST_F(StartupFile, FilesThatCannotBeHadKeepTheUsersFileAndShowTheMessage) {
    struct Fault {
        const char* name;
        std::function<void(StartupFile&)> apply;
        bool savedToBackup; // the user's file was copied before the start stopped
    };
    const std::vector<Fault> faults{
        // The backup cannot be written: the user's file stays where it is.
        {"backup held by another program", [](StartupFile& t) { t.Hold(t.B(), L"exclusive"); },
         false},
        {"backup replaced by a folder",
         [](StartupFile& t) {
             ASSERT_TRUE(::DeleteFileW(t.B().c_str()) && MakeFolders(t.B() + L"\\inside"));
         },
         false},
        // .fluent cannot be read: it cannot be saved, so it is not replaced.
        {".fluent held by another program", [](StartupFile& t) { t.Hold(t.S(), L"exclusive"); },
         false},
        // .fluent can be read but neither deleted nor written: saved, and kept.
        {".fluent read-only to others", [](StartupFile& t) { t.Hold(t.S(), L"read-only"); }, true},
        {".fluent replaced by a folder",
         [](StartupFile& t) {
             ASSERT_TRUE(::DeleteFileW(t.S().c_str()) && MakeFolders(t.S() + L"\\inside"));
         },
         false},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        ReleaseHeldFiles();
        ASSERT_TRUE(RemoveTree(S()) && RemoveTree(B()));
        Put(S(), User);
        Put(B(), OldBackup);
        // Positive control: without the fault this start succeeds.
        ASSERT_EQ(Prepare(true, 18.1), LaunchStep::Continue);
        ASSERT_EQ(Content(S()), Line);
        ASSERT_TRUE(RemoveTree(S()) && RemoveTree(B()));
        Put(S(), User);
        Put(B(), OldBackup);
        ASSERT_NO_FATAL_FAILURE(fault.apply(*this));
        const bool sIsFolder = IsFolder(S()), bIsFolder = IsFolder(B());
        prompts_.messages.clear();

        EXPECT_EQ(Prepare(true, 18.1), LaunchStep::Closes);
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text, StartupFileUnopenable);
        EXPECT_EQ(prompts_.messages[0].caption, L"Error");
        EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_EQ(prompts_.messages[0].owner, owner_);
        // The user's file is in its place, and also in the backup when it could be saved there;
        // the older backup goes only when the user's file took its place.
        ReleaseHeldFiles();
        if (sIsFolder) {
            EXPECT_TRUE(IsFolder(S() + L"\\inside"));
        } else {
            EXPECT_EQ(ReadFileBytes(S()), User);
        }
        if (bIsFolder) {
            EXPECT_TRUE(IsFolder(B() + L"\\inside"));
        } else {
            EXPECT_EQ(ReadFileBytes(B()), fault.savedToBackup ? User : OldBackup);
        }
    }
}

// The same holds for a second only, as a virus scanner's: waited out, and the start goes on; the
// log says that it waited for the file. (Held for good, they end in the message above.)
TEST_F(StartupFile, AFileHeldForAMomentIsWaitedFor) {
    struct Case {
        const char* name;
        bool backup; // else .fluent
        const wchar_t* how;
    };
    for (const Case& hold :
         std::vector<Case>{{"backup", true, L"exclusive"},
                           {".fluent", false, L"exclusive"},
                           {".fluent read-only to others", false, L"read-only"}}) {
        SCOPED_TRACE(hold.name);
        ReleaseHeldFiles();
        ASSERT_TRUE(RemoveAll());
        Put(S(), User);
        Put(B(), OldBackup);
        prompts_.messages.clear();
        ClearLaunchLog();
        const std::wstring held = hold.backup ? B() : S();
        Hold(held, hold.how, 1000);

        EXPECT_EQ(Prepare(true, 18.1), LaunchStep::Continue);
        EXPECT_TRUE(prompts_.messages.empty());
        EXPECT_EQ(Content(S()), Line);
        EXPECT_EQ(Content(B()), User);
        EXPECT_TRUE(Contains(ReadLaunchLog(), L" ms for " + held + L", held by another program"))
            << ReadLaunchLog();
    }
}

TEST_F(StartupFile, PuttingBackAFileHeldForAMomentWaitsForIt) {
    Put(S(), Line);
    Put(B(), User);
    Hold(S(), L"exclusive", 1000);
    RestoreStartupFile(home_.Path());
    EXPECT_EQ(Content(S()), User);
    EXPECT_EQ(Content(B()), std::nullopt);
}

int appMessages = 0;

LRESULT CALLBACK CountAppMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++appMessages;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// While it waits, the thread handles what is posted to its windows, as a dialog's thread must.
// Without a wait the message stays queued (the control).
TEST_F(StartupFile, TheThreadHandlesItsMessagesWhileItWaitsForAFile) {
    const WNDCLASSW type{0,       CountAppMessages, 0,       0,       ::GetModuleHandleW(nullptr),
                         nullptr, nullptr,          nullptr, nullptr, L"QvTestAppMessages"};
    ASSERT_TRUE(::RegisterClassW(&type) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    const HWND window = ::CreateWindowW(L"QvTestAppMessages", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    appMessages = 0;
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held" : "not held");
        Put(S(), Line);
        Put(B(), User);
        if (held) Hold(S(), L"exclusive", 1000);
        ASSERT_TRUE(::PostMessageW(window, WM_APP, 0, 0));
        RestoreStartupFile(home_.Path());
        EXPECT_EQ(Content(S()), User);
        // The wait handles the control's message too, still queued.
        EXPECT_EQ(appMessages, held ? 2 : 0);
    }
    ::DestroyWindow(window);
}

TEST_F(StartupFile, PuttingBackWhatCannotBeHadKeepsBothFiles) {
    // The launcher's .fluent and the user's backup; .fluent held by Fluent itself.
    Put(S(), Line);
    Put(B(), User);
    Hold(S(), L"exclusive");
    RestoreStartupFile(home_.Path());
    EXPECT_EQ(Content(B()), User);
    // A backup replaced by a folder is no backup: the launcher's line goes, the folder stays.
    ReleaseHeldFiles();
    EXPECT_EQ(Content(S()), Line);
    ASSERT_TRUE(RemoveTree(B()) && MakeFolders(B() + L"\\inside"));
    RestoreStartupFile(home_.Path());
    EXPECT_EQ(Content(S()), std::nullopt);
    EXPECT_TRUE(IsFolder(B() + L"\\inside"));
}

TEST_F(StartupFile, OlderBackupsTakeTheFirstFreeNumberAndOutliveTheRestore) {
    // A restore that failed left the only copy of an earlier file of the user's in the backup;
    // an even older one was kept before.
    Put(S(), User);
    Put(B(), OldBackup);
    Put(Kept(1), ";; kept before\n");
    EXPECT_EQ(Prepare(true, 18.1), LaunchStep::Continue);
    EXPECT_EQ(Content(S()), Line);
    EXPECT_EQ(Content(B()), User);
    EXPECT_EQ(Content(Kept(1)), ";; kept before\n");
    EXPECT_EQ(Content(Kept(2)), OldBackup);
    // The direct start puts the user's file back; the kept ones are left to the user.
    EXPECT_EQ(Prepare(false), LaunchStep::Continue);
    EXPECT_EQ(Content(S()), User);
    EXPECT_EQ(Content(B()), std::nullopt);
    EXPECT_EQ(Content(Kept(1)), ";; kept before\n");
    EXPECT_EQ(Content(Kept(2)), OldBackup);
    EXPECT_FALSE(IsFile(Kept(3)));
}

TEST_F(StartupFile, BackupsOfTheSameSizeAreComparedToTheirLastByte) {
    // Larger than one read, so that a difference late in the file counts too.
    const std::string big(200 * 1024, 'a');
    const std::string bigOther = big.substr(0, big.size() - 1) + "b";
    for (const std::string* older : {&big, &bigOther}) {
        const bool differs = older == &bigOther;
        SCOPED_TRACE(differs ? "differs in its last byte" : "the same");
        ASSERT_TRUE(RemoveAll());
        Put(S(), big);
        Put(B(), *older);
        EXPECT_EQ(Prepare(true, 18.1), LaunchStep::Continue);
        // Compared whole, so that a failure does not print 200 KiB.
        EXPECT_TRUE(Content(B()) == big);
        EXPECT_TRUE(Content(Kept(1)) ==
                    (differs ? std::optional<std::string>(bigOther) : std::nullopt));
    }
}

TEST_F(StartupFile, FailedReadsAndCopiesAreLoggedWithThePathAndTheErrorNumber) {
    TempFolder local;
    ScopedVariable localAppData(L"LOCALAPPDATA");
    ASSERT_TRUE(localAppData.Set(local.Path()));
    const std::wstring log = local / L"Quorvex\\Launcher.log";
    const std::wstring sharingViolation = L": error " + std::to_wstring(ERROR_SHARING_VIOLATION);
    struct Case {
        const char* name;
        std::optional<std::string> s, b;
        const wchar_t* held; // S or B, as the case says
        const wchar_t* how;  // how another program holds it
        bool workbench;      // a Workbench start, otherwise the close test's restore
        const wchar_t* action;
        const char* paths; // S: .fluent, B: the backup, 1: the first kept backup
    };
    const std::vector<Case> cases{
        {"restore over a .fluent that Fluent holds", Line, User, L"S", L"read-only", false,
         L"restore .fluent from its backup", "BS"},
        {"a .fluent that cannot be read is not restored over", Line, User, L"S", L"exclusive",
         false, L"read .fluent", "S"},
        {"the backup copy onto a backup that is held", User, User, L"B", L"read-only", true,
         L"back up .fluent", "SB"},
        {"an older backup that cannot be read cannot be kept", User, OldBackup, L"B", L"exclusive",
         true, L"keep the older .fluent backup", "B1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring entry = std::wstring(c.action) + L": ";
        for (const char* p = c.paths; *p; ++p)
            entry += (p == c.paths ? L"" : L" -> ") + (*p == 'S' ? S() : *p == 'B' ? B() : Kept(1));
        const std::string expected = Utf8FromText(entry + sharingViolation + L": ");
        // The first run is the positive control: without the other program all goes well and
        // nothing is logged.
        for (const bool fault : {false, true}) {
            SCOPED_TRACE(fault ? "held" : "not held");
            ReleaseHeldFiles();
            ASSERT_TRUE(RemoveAll() && RemoveTree(log));
            Put(S(), c.s);
            Put(B(), c.b);
            if (fault) {
                ASSERT_NO_FATAL_FAILURE(Hold(std::wstring_view(c.held) == L"S" ? S() : B(), c.how));
            }
            if (c.workbench) {
                EXPECT_EQ(Prepare(true, 18.1), fault ? LaunchStep::Closes : LaunchStep::Continue);
            } else {
                RestoreStartupFile(home_.Path());
            }
            ReleaseHeldFiles();
            const std::string logged = ReadFileBytes(log).value_or("");
            EXPECT_EQ(logged.find(expected) != logged.npos, fault) << logged;
            // Whatever failed, the user's file is still somewhere.
            const bool userKept = Content(S()) == User || Content(B()) == User;
            EXPECT_TRUE(userKept);
        }
    }
}

// A .fluent that Windows keeps read-only, or that Fluent holds, cannot take the add-on's line: the
// log names the file and the system's error before the message, and a Chinese run's error lines
// are those of an English run, found by the same search (the level, the key, the caption word),
// but for the message's own text.
TEST_F(StartupFile, AStartupFileThatCannotBeReplacedIsLoggedWithItsPathAndErrorInEitherLanguage) {
    TempFolder local;
    ScopedVariable localAppData(L"LOCALAPPDATA");
    ASSERT_TRUE(localAppData.Set(local.Path()));
    const std::wstring log = local / L"Quorvex\\Launcher.log";
    struct Case {
        const char* name;
        std::function<void(StartupFile&)> apply;
        DWORD error;
        const char* state; // of .fluent and of its backup, a copy of it
    };
    const std::vector<Case> cases{
        {"read-only",
         [](StartupFile& t) {
             ASSERT_TRUE(::SetFileAttributesW(t.S().c_str(), FILE_ATTRIBUTE_READONLY));
         },
         ERROR_ACCESS_DENIED, "a read-only file"},
        {"held by Fluent", [](StartupFile& t) { t.Hold(t.S(), L"read-only"); },
         ERROR_SHARING_VIOLATION, "a file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<std::string>> errorLines;
        for (const InterfaceLanguage language :
             {InterfaceLanguage::English, InterfaceLanguage::Chinese}) {
            SCOPED_TRACE(language == InterfaceLanguage::English ? "English" : "Chinese");
            ReleaseHeldFiles();
            ::SetFileAttributesW(S().c_str(), FILE_ATTRIBUTE_NORMAL);
            ::SetFileAttributesW(B().c_str(), FILE_ATTRIBUTE_NORMAL);
            ASSERT_TRUE(RemoveAll() && RemoveTree(log));
            Put(S(), User);
            ASSERT_NO_FATAL_FAILURE(c.apply(*this));
            SetInterfaceLanguage(language);
            EXPECT_EQ(Prepare(true, 18.1), LaunchStep::Closes);
            SetInterfaceLanguage(InterfaceLanguage::English);
            ReleaseHeldFiles();
            EXPECT_EQ(ReadFileBytes(S()), User);
            EXPECT_EQ(ReadFileBytes(B()), User);

            const std::string logged = ReadFileBytes(log).value_or("");
            const std::string s = Utf8FromText(S()), b = Utf8FromText(B());
            const std::string shown =
                Utf8FromText(language == InterfaceLanguage::English
                                 ? StartupFileUnopenable
                                 : L"无法打开关键文件，可以尝试关闭其它Fluent进程");
            std::size_t at = 0;
            for (const std::string& entry :
                 {"] info    .fluent backed up: " + s + " -> " + b + "\r\n",
                  "] error   open .fluent to write the add-on's line: " + s + ": error " +
                      std::to_string(c.error) + ": ",
                  "] error   .fluent " + s + ": " + c.state + "; backup " + b + ": " + c.state +
                      "\r\n",
                  "] error   message startup-file-unwritable (Error): " + shown + "\r\n"}) {
                at = logged.find(entry, at);
                EXPECT_NE(at, std::string::npos) << entry << "\n" << logged;
                if (at == std::string::npos) break;
            }
            // What a search for the run's errors finds, without time and process, and without the
            // text of the message itself.
            std::vector<std::string> found;
            for (std::size_t line = logged.find("] error   "); line != std::string::npos;
                 line = logged.find("] error   ", line + 1)) {
                const std::string text = logged.substr(line, logged.find("\r\n", line) - line);
                found.push_back(text.substr(0, text.find("(Error): ")));
            }
            errorLines.push_back(found);
        }
        ASSERT_EQ(errorLines.size(), 2u);
        EXPECT_FALSE(errorLines[0].empty());
        EXPECT_EQ(errorLines[0], errorLines[1]);
    }
    ::SetFileAttributesW(S().c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SetFileAttributesW(B().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StartupFile, AFileOverOneMebibyteIsTheUsersWhateverItBeginsWith) {
    // The launcher's line padded to exactly the largest size of a launcher's file, and one byte
    // more; the first is the positive control.
    for (const std::size_t size : {LargestLauncherStartupFile, LargestLauncherStartupFile + 1}) {
        const bool users = size > LargestLauncherStartupFile;
        SCOPED_TRACE(size);
        const std::string text = Line + std::string(size - Line.size(), ' ');
        ASSERT_TRUE(RemoveAll());
        Put(S(), text);
        EXPECT_EQ(ContainsFastLoadLine(S()), !users);
        // Without a backup, a direct start removes the launcher's file and keeps the user's.
        EXPECT_EQ(Prepare(false), LaunchStep::Continue);
        EXPECT_EQ(Content(S()), users ? std::optional<std::string>(text) : std::nullopt);
        if (!users) continue;
        // A Workbench start backs it up, and the next direct start puts it back.
        EXPECT_EQ(Prepare(true, 18.1), LaunchStep::Continue);
        EXPECT_EQ(Content(S()), Line);
        EXPECT_EQ(Content(B()), text);
        EXPECT_EQ(Prepare(false), LaunchStep::Continue);
        EXPECT_EQ(Content(S()), text);
        EXPECT_EQ(Content(B()), std::nullopt);
    }
}

} // namespace
} // namespace qv::test
