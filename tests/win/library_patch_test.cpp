// Library names patched in real files: both pairs, the rights they need, the read-only
// attribute, and the original kept whole whatever goes wrong on the way.
#include "base/system_win.h"
#include "base/text.h"
#include "launch/couplings/library_patch.h"
#include "launch/couplings/library_patch_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/launch_log_reading_win.h"
#include "tests/support/test_support_win.h"
#include "tests/win/coupling_support_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using test::FolderEntries;
using test::HeldFile;
using test::ReadFileBytes;
using test::ScopedNonAdministrator;

Bytes AsBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// libmat.dll loads hdf5.dll twice over; the upper-case name is another string and stays.
const std::string LibMat = std::string("MZ\x90\0libmat", 10) + "hdf5.dll\0..HDF5.DLL\0.hdf5.dllx";
const std::string LibMatPatched =
    std::string("MZ\x90\0libmat", 10) + "hdf_.dll\0..HDF5.DLL\0.hdf_.dllx";
const std::string CffInterface = "MZ cff xerces-c_3_2.dll\0XERCES-C_3_2.DLL";
const std::string CffInterfacePatched = "MZ cff xerces_c_3_2.dll\0XERCES-C_3_2.DLL";
const std::string MatlabHdf5 = "MATLAB's hdf5";
const std::string FluentXerces = "Fluent's xerces";

// A MATLAB root and a Fluent folder with the libraries of both pairs.
class LibraryPatch : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(IsUserAdministrator()) << "the tests start as an administrator";
        for (const auto& [path, bytes] : std::map<std::wstring, std::string>{
                 {matlabBin_ + L"\\hdf5.dll", MatlabHdf5},
                 {matlabBin_ + L"\\xerces-c_3_2.dll", "MATLAB's xerces"},
                 {matlabBin_ + L"\\libmat.dll", LibMat},
                 {fluentHdf5_, "Fluent's hdf5"},
                 {fluentBin_ + L"\\xerces-c_3_2.dll", FluentXerces},
                 {fluentBin_ + L"\\libansysfluidscffinterface.dll", CffInterface}})
            ASSERT_TRUE(test::WriteFileBytes(path, bytes));
    }

    std::vector<LibraryPatchPair> Pairs() const {
        return LibraryPatchPairs(root_ / L"MATLAB\\R2020a", L"win64", root_ / L"fluent",
                                 L"fluent20.1.0");
    }
    // Every file of both installations with its bytes and last write time.
    struct FileState {
        std::optional<std::string> bytes;
        ULONGLONG written;
        DWORD attributes;
        bool operator==(const FileState& o) const {
            return bytes == o.bytes && written == o.written && attributes == o.attributes;
        }
    };
    std::map<std::wstring, FileState> Snapshot() const {
        std::map<std::wstring, FileState> files;
        for (const std::wstring& folder : {matlabBin_, fluentBin_})
            for (const std::wstring& name : FolderEntries(folder)) {
                const std::wstring path = folder + L"\\" + name;
                files[path] = {ReadFileBytes(path), test::LastWriteTime(path),
                               ::GetFileAttributesW(path.c_str())};
            }
        return files;
    }
    bool Patch() { return PatchLibraryNames(Pairs(), owner_); }

    test::TempFolder root_;
    const std::wstring matlabBin_ = root_ / L"MATLAB\\R2020a\\bin\\win64";
    const std::wstring fluentBin_ = root_ / L"fluent\\ntbin\\win64";
    const std::wstring fluentHdf5_ = root_ / L"fluent\\fluent20.1.0\\addons\\afd\\win64\\hdf5.dll";
    const std::wstring libMat_ = matlabBin_ + L"\\libmat.dll";
    const std::wstring cff_ = fluentBin_ + L"\\libansysfluidscffinterface.dll";
    const HWND owner_ = ::GetDesktopWindow();
    test::ScriptedPrompts prompts_;
};

const wchar_t LibraryPatchNeedsAdministrator[] =
    L"Please open this program with administrator\nright to first-time change "
    L"compatible Fluent/Matlab environment.";
const wchar_t MatlabLibraryOccupied[] =
    L"Some File is occupied. Please retry after closing all Matlab programs or restarting Windows.";
const wchar_t FluentLibraryOccupied[] =
    L"Some File is occupied. Please retry after closing all Fluent programs or restarting Windows.";

TEST_F(LibraryPatch, FirstLaunchChangesBothPairsAndKeepsReadOnlyTheSecondChangesNothing) {
    ASSERT_TRUE(::SetFileAttributesW(libMat_.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Patch());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(ReadFileBytes(matlabBin_ + L"\\hdf_.dll"), MatlabHdf5);
    EXPECT_EQ(ReadFileBytes(libMat_), LibMatPatched);
    EXPECT_EQ(::GetFileAttributesW(libMat_.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(ReadFileBytes(fluentBin_ + L"\\xerces_c_3_2.dll"), FluentXerces);
    EXPECT_EQ(ReadFileBytes(cff_), CffInterfacePatched);
    // Nothing else appeared: no temporary file is left beside the libraries.
    EXPECT_EQ(
        FolderEntries(matlabBin_),
        (std::vector<std::wstring>{L"hdf5.dll", L"hdf_.dll", L"libmat.dll", L"xerces-c_3_2.dll"}));
    EXPECT_EQ(FolderEntries(fluentBin_),
              (std::vector<std::wstring>{L"libansysfluidscffinterface.dll", L"xerces-c_3_2.dll",
                                         L"xerces_c_3_2.dll"}));

    const auto before = Snapshot();
    ScopedNonAdministrator user;
    ASSERT_TRUE(user.Active());
    ASSERT_FALSE(IsUserAdministrator());
    EXPECT_TRUE(Patch());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_TRUE(Snapshot() == before);
}

// What is left to do decides whether rights are needed; a user without them changes nothing.
TEST_F(LibraryPatch, WhatIsLeftToDoDecidesWhetherAdministratorRightsAreNeeded) {
    struct Case {
        const char* name;
        std::vector<std::wstring> removed;           // before the launch
        std::map<std::wstring, std::string> written; // before the launch
        bool administrator;
        std::vector<std::wstring> messages;
        std::map<std::wstring, std::string> expected; // afterwards
    };
    const std::wstring hdfCopy = matlabBin_ + L"\\hdf_.dll";
    const std::wstring xercesCopy = fluentBin_ + L"\\xerces_c_3_2.dll";
    const std::vector<Case> cases = {
        {"copy made, name still old: only the rewrite",
         {},
         {{hdfCopy, "an earlier copy"}, {xercesCopy, FluentXerces}, {cff_, CffInterfacePatched}},
         true,
         {},
         {{hdfCopy, "an earlier copy"}, {libMat_, LibMatPatched}}},
        {"copy made, name still old, no rights",
         {},
         {{hdfCopy, "an earlier copy"}, {xercesCopy, FluentXerces}, {cff_, CffInterfacePatched}},
         false,
         {LibraryPatchNeedsAdministrator},
         {{hdfCopy, "an earlier copy"}, {libMat_, LibMat}}},
        {"first pair done, second pending, no rights",
         {},
         {{hdfCopy, MatlabHdf5}, {libMat_, LibMatPatched}},
         false,
         {LibraryPatchNeedsAdministrator},
         {{libMat_, LibMatPatched}, {cff_, CffInterface}}},
        {"no rights and everything pending: nothing is copied",
         {},
         {},
         false,
         {LibraryPatchNeedsAdministrator},
         {{libMat_, LibMat}, {cff_, CffInterface}}},
        {"Fluent without its hdf5: the first pair is left alone",
         {fluentHdf5_},
         {{xercesCopy, FluentXerces}, {cff_, CffInterfacePatched}},
         false,
         {},
         {{libMat_, LibMat}}},
        {"MATLAB without its xerces: the second pair is left alone",
         {matlabBin_ + L"\\xerces-c_3_2.dll"},
         {{hdfCopy, MatlabHdf5}, {libMat_, LibMatPatched}},
         false,
         {},
         {{cff_, CffInterface}}},
        {"names only in another case: nothing to rewrite",
         {},
         {{hdfCopy, MatlabHdf5},
          {libMat_, "HDF5.DLL Hdf5.dll"},
          {xercesCopy, FluentXerces},
          {cff_, "XERCES-C_3_2.DLL"}},
         false,
         {},
         {{libMat_, "HDF5.DLL Hdf5.dll"}, {cff_, "XERCES-C_3_2.DLL"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_TRUE(test::RemoveTree(matlabBin_ + L"\\hdf_.dll"));
        ASSERT_TRUE(test::RemoveTree(xercesCopy));
        for (const auto& path : c.removed)
            ASSERT_TRUE(test::RemoveTree(path));
        for (const auto& [path, bytes] : c.written)
            ASSERT_TRUE(test::WriteFileBytes(path, bytes));
        const bool pairTwoCopied = test::IsFile(xercesCopy);
        prompts_.messages.clear();
        {
            std::optional<ScopedNonAdministrator> user;
            if (!c.administrator) user.emplace();
            ASSERT_EQ(IsUserAdministrator(), c.administrator);
            EXPECT_EQ(Patch(), c.messages.empty());
        }
        EXPECT_EQ(prompts_.ErrorTexts(owner_), c.messages);
        for (const auto& [path, bytes] : c.expected)
            EXPECT_EQ(ReadFileBytes(path), bytes) << path;
        // A user without rights never gets a copy made.
        if (!c.administrator) {
            EXPECT_EQ(test::IsFile(xercesCopy), pairTwoCopied);
        }
    }
}

// Another program holding a library: the launch stops with the message of its side, the library
// keeps every byte and no temporary file is left. The first pair's work stays when the second
// fails.
TEST_F(LibraryPatch, LibraryHeldByAnotherProgramStopsWithTheMessageOfItsSide) {
    struct Case {
        const char* name;
        const wchar_t* how;
        bool matlabSide;
        const wchar_t* message;
        bool copyMade; // of the held side
    };
    for (const Case& c : std::vector<Case>{
             {"libmat.dll opened without sharing", L"exclusive", true, MatlabLibraryOccupied,
              false},
             {"libmat.dll loaded by a running MATLAB", L"image", true, MatlabLibraryOccupied, true},
             {"libmat.dll open for its attributes", L"attributes", true, MatlabLibraryOccupied,
              true},
             {"Fluent's library opened without sharing", L"exclusive", false, FluentLibraryOccupied,
              false},
             {"Fluent's library loaded by a running Fluent", L"image", false, FluentLibraryOccupied,
              true},
         }) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_TRUE(test::RemoveTree(matlabBin_ + L"\\hdf_.dll"));
        ASSERT_TRUE(test::RemoveTree(fluentBin_ + L"\\xerces_c_3_2.dll"));
        // A program image that names the library it loads, as the real ones do.
        const std::wstring held = c.matlabSide ? libMat_ : cff_;
        const std::wstring program =
            test::FakeProgramFoldersFromEnvironment().Runnable() + L"\\matlab.exe";
        const std::optional<std::string> image = ReadFileBytes(program);
        ASSERT_TRUE(image) << "cannot read the stand-in " << program;
        const std::string original = *image + (c.matlabSide ? LibMat : CffInterface);
        ASSERT_TRUE(test::WriteFileBytes(held, original));
        const auto entries = FolderEntries(c.matlabSide ? matlabBin_ : fluentBin_);
        prompts_.messages.clear();
        test::ClearLaunchLog();
        {
            HeldFile holder(c.how, held);
            ASSERT_TRUE(holder.Holds());
            EXPECT_FALSE(Patch());
        }
        EXPECT_EQ(prompts_.ErrorTexts(owner_), std::vector<std::wstring>{c.message});
        // The log says which call failed on which file, with the system's error.
        const std::wstring log = test::ReadLaunchLog();
        EXPECT_TRUE(Contains(log, L": " + held + L": error ")) << log;
        EXPECT_EQ(ReadFileBytes(held), original);
        std::vector<std::wstring> expected = entries;
        if (c.copyMade) expected.push_back(c.matlabSide ? L"hdf_.dll" : L"xerces_c_3_2.dll");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(FolderEntries(c.matlabSide ? matlabBin_ : fluentBin_), expected);
        if (!c.matlabSide) {
            EXPECT_EQ(ReadFileBytes(libMat_), LibMatPatched) << "the first pair's work stays";
        }
    }
}

// A hold of a second, as a virus scanner's, is waited out: the patch is made, no message shows,
// and the log says what it waited for. (Held for good, they end in the message above.)
TEST_F(LibraryPatch, ALibraryHeldForAMomentIsPatchedOnceItIsLetGo) {
    struct Case {
        const char* name;
        const wchar_t* how;
        std::wstring held;
    };
    for (const Case& c : std::vector<Case>{
             {"libmat.dll opened without sharing", L"exclusive", libMat_},
             {"libmat.dll open for its attributes: its replacement waits", L"attributes", libMat_},
             {"Fluent's library opened without sharing", L"exclusive", cff_},
             {"MATLAB's hdf5.dll, the copy's source, opened without sharing", L"exclusive",
              matlabBin_ + L"\\hdf5.dll"}}) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_TRUE(test::RemoveTree(matlabBin_ + L"\\hdf_.dll"));
        ASSERT_TRUE(test::RemoveTree(fluentBin_ + L"\\xerces_c_3_2.dll"));
        const std::wstring& held = c.held;
        prompts_.messages.clear();
        test::ClearLaunchLog();
        {
            HeldFile holder(c.how, held, 1000);
            ASSERT_TRUE(holder.Holds());
            EXPECT_TRUE(Patch());
        }
        EXPECT_TRUE(prompts_.messages.empty());
        EXPECT_EQ(ReadFileBytes(libMat_), LibMatPatched);
        EXPECT_EQ(ReadFileBytes(cff_), CffInterfacePatched);
        EXPECT_EQ(ReadFileBytes(matlabBin_ + L"\\hdf_.dll"), MatlabHdf5);
        EXPECT_EQ(ReadFileBytes(fluentBin_ + L"\\xerces_c_3_2.dll"), FluentXerces);
        const std::wstring log = test::ReadLaunchLog();
        EXPECT_TRUE(Contains(log, L" ms for " + held + L", held by another program")) << log;
    }
}

// Without its copy a rewritten library would load a file that does not exist: a copy that
// cannot be made stops the launch before the rewrite, and leaves nothing half made.
TEST_F(LibraryPatch, CopyThatCannotBeMadeStopsBeforeTheRewrite) {
    ASSERT_TRUE(test::MakeFolders(matlabBin_ + L"\\hdf_.dll"));
    ASSERT_TRUE(
        ::SetFileAttributesW((matlabBin_ + L"\\hdf5.dll").c_str(), FILE_ATTRIBUTE_READONLY));
    const auto entries = FolderEntries(matlabBin_);
    EXPECT_FALSE(Patch());
    EXPECT_EQ(prompts_.ErrorTexts(owner_), std::vector<std::wstring>{MatlabLibraryOccupied});
    EXPECT_EQ(ReadFileBytes(libMat_), LibMat);
    EXPECT_EQ(FolderEntries(matlabBin_), entries);
    EXPECT_TRUE(test::IsFolder(matlabBin_ + L"\\hdf_.dll"));
}

// The replacement itself under injected faults: each fails, and the file keeps its bytes and its
// attributes with nothing left beside it.
TEST_F(LibraryPatch, FailedReplacementLeavesTheOriginalWhole) {
    const Bytes from = AsBytes("hdf5.dll"), to = AsBytes("hdf_.dll");
    struct Case {
        const char* name;
        const wchar_t* how; // held by another program this way, or nullptr
        bool folder;        // a folder in the file's place
        DWORD attributes;
    };
    for (const Case& c : std::vector<Case>{
             {"held without sharing", L"exclusive", false, FILE_ATTRIBUTE_ARCHIVE},
             {"held without sharing, read-only", L"exclusive", false,
              FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
             {"held for its attributes: the last step fails", L"attributes", false,
              FILE_ATTRIBUTE_ARCHIVE},
             {"held for its attributes, read-only", L"attributes", false, FILE_ATTRIBUTE_READONLY},
             {"a folder in its place", nullptr, true, FILE_ATTRIBUTE_DIRECTORY},
         }) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::wstring target = folder / L"libmat.dll";
        if (c.folder) {
            ASSERT_TRUE(test::MakeFolders(target + L"\\inside"));
        } else {
            ASSERT_TRUE(test::WriteFileBytes(target, LibMat));
            ASSERT_TRUE(::SetFileAttributesW(target.c_str(), c.attributes));
        }
        const auto entries = FolderEntries(folder.Path());
        const ULONGLONG written = test::LastWriteTime(target);
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        ASSERT_EQ(attributes & c.attributes, c.attributes) << std::hex << attributes;
        {
            std::optional<HeldFile> holder;
            if (c.how) holder.emplace(c.how, target);
            ASSERT_TRUE(!holder || holder->Holds());
            EXPECT_FALSE(ReplaceBytesInFile(target, from, to));
        }
        EXPECT_EQ(FolderEntries(folder.Path()), entries);
        EXPECT_EQ(::GetFileAttributesW(target.c_str()), attributes);
        EXPECT_EQ(test::LastWriteTime(target), written);
        if (!c.folder) {
            EXPECT_EQ(ReadFileBytes(target), LibMat);
        }
    }
}

TEST_F(LibraryPatch, ReplacementKeepsTheAttributesAndLeavesAFileWithoutTheNameUntouched) {
    const Bytes from = AsBytes("hdf5.dll"), to = AsBytes("hdf_.dll");
    test::TempFolder folder;
    const std::wstring target = folder / L"libmat.dll";
    ASSERT_TRUE(test::WriteFileBytes(target, LibMat));
    ASSERT_TRUE(
        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    ASSERT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_TRUE(ReplaceBytesInFile(target, from, to));
    EXPECT_EQ(ReadFileBytes(target), LibMatPatched);
    EXPECT_EQ(::GetFileAttributesW(target.c_str()), attributes);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::wstring>{L"libmat.dll"});

    // Nothing to replace, or nothing at all: the file is not rewritten.
    for (const std::string& content : {LibMatPatched, std::string()}) {
        ASSERT_TRUE(test::WriteFileBytes(folder / L"other.dll", content));
        const ULONGLONG written = test::LastWriteTime(folder / L"other.dll");
        EXPECT_TRUE(ReplaceBytesInFile(folder / L"other.dll", from, to));
        EXPECT_EQ(ReadFileBytes(folder / L"other.dll"), content);
        EXPECT_EQ(test::LastWriteTime(folder / L"other.dll"), written);
    }
    EXPECT_FALSE(ReplaceBytesInFile(folder / L"missing.dll", from, to));
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::wstring>{L"libmat.dll", L"other.dll"}));
}

TEST_F(LibraryPatch, SearchReadsAcrossPiecesAndTellsAnUnreadableFile) {
    test::TempFolder folder;
    const std::wstring file = folder / L"big.dll";
    // The name straddles the first piece's end (a piece is a mebibyte).
    std::string content(1 << 20, 'x');
    content.replace(content.size() - 3, 3, "hdf");
    content += "5.dll and more";
    ASSERT_TRUE(test::WriteFileBytes(file, content));
    EXPECT_EQ(SearchFileForBytes(file, AsBytes("hdf5.dll")), FileBytesSearch::Found);
    EXPECT_EQ(SearchFileForBytes(file, AsBytes("hdf5.dlx")), FileBytesSearch::NotFound);
    EXPECT_TRUE(FileContainsBytes(file, AsBytes("hdf5.dll")));
    ASSERT_TRUE(test::WriteFileBytes(file, ""));
    EXPECT_EQ(SearchFileForBytes(file, AsBytes("hdf5.dll")), FileBytesSearch::NotFound);
    EXPECT_EQ(SearchFileForBytes(folder / L"missing.dll", AsBytes("x")),
              FileBytesSearch::Unreadable);
    EXPECT_EQ(SearchFileForBytes(folder.Path(), AsBytes("x")), FileBytesSearch::Unreadable);
    ASSERT_TRUE(test::WriteFileBytes(file, "hdf5.dll"));
    HeldFile holder(L"exclusive", file);
    ASSERT_TRUE(holder.Holds());
    EXPECT_EQ(SearchFileForBytes(file, AsBytes("hdf5.dll")), FileBytesSearch::Unreadable);
    EXPECT_FALSE(FileContainsBytes(file, AsBytes("hdf5.dll")));
}

} // namespace
} // namespace qv
