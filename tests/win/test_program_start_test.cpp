// The tests start only Windows programs: Wine starts anything else as a Unix program and hands
// back no handles, and closing what was in them once closed the process's named-object folder,
// so that every named event and lock of later tests failed.
#include "base/text.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::test {
namespace {

TEST(TestProgramStart, OnlyAWindowsProgramStartsAndItsHandlesAreItsOwn) {
    TempFolder folder;
    const std::wstring shortImage = folder / L"short.exe";
    ASSERT_TRUE(WriteFileBytes(shortImage, "MZ"));
    struct Case {
        const char* name;
        std::wstring exe;
    };
    for (const Case& c : {Case{"a Unix program", L"Z:\\bin\\sh"},
                          Case{"an image that ends after MZ", shortImage}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(IsFile(c.exe)) << "the case needs the file";
        const ProcessHandles started = StartProgram(c.exe, Quoted(c.exe) + L" -c true");
        EXPECT_FALSE(started.process);
        EXPECT_FALSE(started.thread);
        EXPECT_EQ(started.processId, 0u);
        EXPECT_EQ(started.error, static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    }

    // A stand-in, asked for nothing it knows, ends at once with its own code.
    const std::wstring holder =
        FakeProgramFoldersFromEnvironment().Runnable() + L"\\FileHolder.exe";
    const ProcessHandles started = StartProgram(holder, Quoted(holder));
    ASSERT_TRUE(started.process) << "error " << started.error;
    EXPECT_EQ(::GetProcessId(started.process.get()), started.processId);
    ASSERT_EQ(::WaitForSingleObject(started.process.get(), 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeProcess(started.process.get(), &code));
    EXPECT_EQ(code, 1u);
}

} // namespace
} // namespace qv::test
