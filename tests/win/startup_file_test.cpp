// The user's .fluent and its backup through every kind of start, the Workbench tip's say, and
// files that another program holds or that are folders: the user's file and its backup are never
// lost, and a start that cannot prepare .fluent ends with the message.
#include "base/settings_store_win.h"
#include "launch/startup_file.h"
#include "launch/startup_file_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/fake_records_win.h"
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
const std::wstring K1 = L"Can't open key file. Try closing other Fluent prcesss.";

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
    void Put(const std::wstring& path, const std::optional<std::string>& text) const {
        if (text) {
            EXPECT_TRUE(WriteFileBytes(path, *text)) << path;
        }
    }
    LaunchStep Prepare(bool workbench, double version = 19.2) {
        return PrepareStartupFile(workbench, version, home_.Path(), state_, owner_);
    }
    // Another program holding a file, until it is released or the test ends.
    void Hold(const std::wstring& path, const wchar_t* how) {
        held_.push_back(std::make_unique<HeldFile>(how, path));
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
    };
    const std::vector<Case> cases{
        {"no .fluent, direct start: nothing touched", none, none, false, none, none},
        {"user's .fluent, direct start: nothing touched", User, OldBackup, false, User, OldBackup},
        {"user's .fluent, Workbench: moved to the backup", User, none, true, Line, User},
        {"user's .fluent, Workbench: an older backup replaced", User, OldBackup, true, Line, User},
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
        ASSERT_TRUE(RemoveTree(S()) && RemoveTree(B()));
        Put(S(), c.s);
        Put(B(), c.b);
        prompts_.messages.clear();
        EXPECT_EQ(Prepare(c.workbench), LaunchStep::Continue);
        EXPECT_EQ(Content(S()), c.sAfter);
        EXPECT_EQ(Content(B()), c.bAfter);
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
        EXPECT_EQ(prompts_.messages[0].text, K1);
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

} // namespace
} // namespace qv::test
