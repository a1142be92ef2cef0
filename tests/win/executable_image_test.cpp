#include "base/executable_image_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

std::wstring WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
}

// A 32-bit program on 64-bit Windows: its system32 is syswow64, and the real one is sysnative.
bool SeenThroughWow64() {
    return test::RunsInWin64Prefix() && !test::TestsAre64Bit;
}

std::wstring NativeSystemFolder() {
    return WindowsFolder() + (SeenThroughWow64() ? L"\\sysnative" : L"\\system32");
}

ExecutableBitness WindowsBitness() {
    return test::RunsInWin64Prefix() ? ExecutableBitness::Bits64 : ExecutableBitness::Bits32;
}

TEST(ExecutableBitnessFile, WineSystemLibraries) {
    const ExecutableBitness own =
        test::TestsAre64Bit ? ExecutableBitness::Bits64 : ExecutableBitness::Bits32;
    EXPECT_EQ(ReadExecutableBitness(WindowsFolder() + L"\\system32\\kernel32.dll"), own);
    EXPECT_EQ(ReadExecutableBitness(WindowsFolder() + L"\\system32\\notepad.exe"), own);
    EXPECT_EQ(ReadExecutableBitness(NativeSystemFolder() + L"\\kernel32.dll"), WindowsBitness());
    EXPECT_EQ(ReadExecutableBitness(NativeSystemFolder() + L"\\notepad.exe"), WindowsBitness());
    // The 64-bit build is tested where no 32-bit program runs, and Wine then leaves syswow64 empty.
    if (SeenThroughWow64()) {
        EXPECT_EQ(ReadExecutableBitness(WindowsFolder() + L"\\syswow64\\kernel32.dll"),
                  ExecutableBitness::Bits32);
    }
}

TEST(ExecutableBitnessFile, TruncatedCopiesOfARealLibrary) {
    const std::wstring source = NativeSystemFolder() + L"\\kernel32.dll";
    const ExecutableBitness whole = WindowsBitness();
    const std::string bytes = test::ReadFileBytes(source).value_or("");
    ASSERT_GE(bytes.size(), 4096u);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t end =
        static_cast<std::size_t>(*CoffHeaderOffset(data, bytes.size()) + CoffHeaderSize);

    test::TempFolder folder;
    struct Case {
        std::size_t length;
        ExecutableBitness bitness;
    };
    for (const Case& c : std::vector<Case>{{end, whole},
                                           {end - 1, ExecutableBitness::Unreadable},
                                           {end - CoffHeaderSize, ExecutableBitness::Unreadable},
                                           {DosHeaderSize, ExecutableBitness::Unreadable},
                                           {DosHeaderSize - 1, ExecutableBitness::Unreadable},
                                           {0, ExecutableBitness::Unreadable}}) {
        const std::wstring path = folder / (L"cut" + std::to_wstring(c.length) + L".dll");
        ASSERT_TRUE(test::WriteFileBytes(path, std::string_view(bytes).substr(0, c.length)));
        EXPECT_EQ(ReadExecutableBitness(path), c.bitness) << c.length;
    }
}

TEST(ExecutableBitnessFile, GarbageAndMissingFiles) {
    test::TempFolder folder;
    // Text whose bytes at 0x3C read as an offset far past the end.
    ASSERT_TRUE(test::WriteFileBytes(folder / L"text.exe", std::string(200, 'z')));
    EXPECT_EQ(ReadExecutableBitness(folder / L"text.exe"), ExecutableBitness::Unreadable);
    // An offset of 0xFFFFFFFF must not wrap round to the start of the file.
    std::string wrap(4096, '\0');
    wrap.replace(0x3C, 4, "\xFF\xFF\xFF\xFF");
    ASSERT_TRUE(test::WriteFileBytes(folder / L"wrap.exe", wrap));
    EXPECT_EQ(ReadExecutableBitness(folder / L"wrap.exe"), ExecutableBitness::Unreadable);
    // Zeros: the header at offset 4 reads machine 0, which counts as 32-bit.
    ASSERT_TRUE(test::WriteFileBytes(folder / L"zeros.exe", std::string(4096, '\0')));
    EXPECT_EQ(ReadExecutableBitness(folder / L"zeros.exe"), ExecutableBitness::Bits32);

    ASSERT_TRUE(test::MakeFolders(folder / L"folder.exe"));
    EXPECT_EQ(ReadExecutableBitness(folder / L"folder.exe"), ExecutableBitness::Unreadable);
    EXPECT_EQ(ReadExecutableBitness(folder / L"missing.exe"), ExecutableBitness::Unreadable);
    EXPECT_EQ(ReadExecutableBitness(L""), ExecutableBitness::Unreadable);
}

TEST(ExecutableBitnessFile, ReadableWhileAnotherProgramWritesIt) {
    test::TempFolder folder;
    const std::wstring path = folder / L"busy.exe";
    std::string image(0x100, '\0');
    image.replace(0x3C, 1, "\x80");
    image.replace(0x84, 2, "\x64\x86");
    ASSERT_TRUE(test::WriteFileBytes(path, image));
    UniqueFile writer(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(ReadExecutableBitness(path), ExecutableBitness::Bits64);
}

// The stand-in for Visual Studio's settings tool is a console program, as the tool is; the other
// stand-ins and Wine's own programs are the control.
TEST(ExecutableSubsystemFile, ConsoleAndWindowsPrograms) {
    const std::wstring fakes = test::FakeProgramFoldersFromEnvironment().Runnable();
    struct Case {
        std::wstring path;
        ExecutableSubsystem subsystem;
    };
    for (const Case& c : std::vector<Case>{
             {WindowsFolder() + L"\\system32\\cmd.exe", ExecutableSubsystem::Console},
             {WindowsFolder() + L"\\system32\\notepad.exe", ExecutableSubsystem::Graphical},
             {fakes + L"\\VsRegEdit.exe", ExecutableSubsystem::Console},
             {fakes + L"\\fluent.exe", ExecutableSubsystem::Graphical}})
        EXPECT_EQ(ReadExecutableSubsystem(c.path), c.subsystem) << c.path;
    test::TempFolder folder;
    ASSERT_TRUE(test::WriteFileBytes(folder / L"zeros.exe", std::string(4096, '\0')));
    EXPECT_EQ(ReadExecutableSubsystem(folder / L"zeros.exe"), ExecutableSubsystem::Unreadable);
    EXPECT_EQ(ReadExecutableSubsystem(folder / L"missing.exe"), ExecutableSubsystem::Unreadable);
}

} // namespace
} // namespace qv
