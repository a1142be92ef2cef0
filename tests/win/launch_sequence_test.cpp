// The launch behind OK, run for real up to each of its stops, and through to a started Fluent.
#include "base/environment_win.h"
#include "base/registry_win.h"
#include "base/text.h"
#include "launch/startup_file/startup_file.h"
#include "tests/win/launch_fixture_win.h"

#include <functional>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

class LaunchSequence : public LaunchTest {};

TEST_F(LaunchSequence, StopsInOrderWithEachMessageAndOutcome) {
    struct Case {
        const char* name;
        std::function<void(LaunchSequence&, LaunchContext&)> change; // to a launchable setup
        LaunchStep outcome;
        std::vector<std::wstring> messages; // "" stands for any text
    };
    const bool win64 = RunsInWin64Prefix();
    const std::vector<Case> cases{
        {"no Visual Studio, checked before the Fluent list",
         [](LaunchSequence& t, LaunchContext& c) {
             t.visualStudios_.clear();
             c.fluentIndex = -1; // the no-Fluent message would follow if the order were wrong
         },
         LaunchStep::Closes,
         {L"No VC found on this machine. Please install visual studio (2010~2019) first."}},
        {"no Fluent folder",
         [](LaunchSequence&, LaunchContext& c) { c.fluentIndex = -1; },
         LaunchStep::StaysOpen,
         {L"Please first specify the Fluent installing directory using the \"Browse\" button."}},
        {"two releases in the Fluent folder",
         [](LaunchSequence& t, LaunchContext&) {
             ASSERT_TRUE(WriteFileBytes(
                 t.installation_.fluent.fluentFolder + L"\\fluent24.2.0\\src\\udf.h", ""));
         },
         LaunchStep::Closes,
         {}}, // filled below: it names the folder
        {"a release of an unsupported version",
         [](LaunchSequence& t, LaunchContext&) {
             const std::wstring& F = t.installation_.fluent.fluentFolder;
             ASSERT_TRUE(
                 ::MoveFileW((F + L"\\fluent25.2.0").c_str(), (F + L"\\fluent26.1.0").c_str()));
         },
         LaunchStep::Closes,
         {L"Fluent 26.1 is not supported in current Quorvex."}},
        {"a Fluent executable too short to read",
         [](LaunchSequence& t, LaunchContext&) {
             ASSERT_TRUE(WriteFileBytes(t.installation_.fluent.startProgram, "MZ"));
         },
         LaunchStep::Closes,
         {}},
        {"no Workbench for a Workbench start",
         [](LaunchSequence& t, LaunchContext& c) {
             c.options.startByWorkbench = 1;
             ASSERT_TRUE(::DeleteFileW(t.installation_.fluent.workbench.c_str()));
         },
         LaunchStep::Closes,
         {L"Can't find Workbench executable file.\nPlease check whether it is installed "
          L"correctly."}},
        {"the add-on's extension missing from Visual Studio",
         [](LaunchSequence& t, LaunchContext&) {
             ASSERT_TRUE(::DeleteFileW(
                 (t.visualStudioRoot_ / L"Common7\\IDE\\Extensions\\Quorvex\\Quorvex.dll")
                     .c_str()));
         },
         LaunchStep::Closes,
         {L"\"Quorvex\" extension menu not installed for Visual Studio 2019. Please assure that "
          L"Visual Studio has been installed before installing this software. If Visual Studio "
          L"exists, you can run this software installer again to fix this issue."}},
        {"the compiler for Fluent's bitness missing",
         [win64](LaunchSequence& t, LaunchContext&) {
             (win64 ? t.visualStudios_[0].hasCompiler64 : t.visualStudios_[0].hasCompiler32) =
                 false;
         },
         LaunchStep::Closes,
         {win64 ? L"Please install 64 bit C++ compiler for Visual Studio 2019 first."
                : L"Please install 32 bit C++ compiler for Visual Studio 2019 first."}},
        {"51 parallel processes, declined",
         [](LaunchSequence&, LaunchContext& c) {
             c.options.processingMode = ProcessingMode::Parallel;
             c.options.processCount = 51;
         },
         LaunchStep::StaysOpen,
         {L"Parallel processes more than 50. Too many processes\ndo not make sense when coding "
          L"UDF. Sure to continue?"}},
        {"parallel with a count out of range: the exchange has spoken",
         [](LaunchSequence&, LaunchContext& c) {
             c.options.processingMode = ProcessingMode::Parallel;
             c.options.processCount = 1000;
         },
         LaunchStep::StaysOpen,
         {}},
        {"50 parallel processes: no question, on to the product folder",
         [](LaunchSequence&, LaunchContext& c) {
             c.options.processingMode = ProcessingMode::Parallel;
             c.options.processCount = 50;
             ASSERT_TRUE(RemoveEnvironmentVariable(L"QUORVEX_PATH"));
         },
         LaunchStep::StaysOpen,
         {L"Can't find environment variable \"QUORVEX_PATH\".\nPlease select Quorvex "
          L"installation folder."}},
        {"serial with a count out of range goes on",
         [](LaunchSequence&, LaunchContext& c) {
             c.options.processCount = 0;
             ASSERT_TRUE(RemoveEnvironmentVariable(L"QUORVEX_PATH"));
         },
         LaunchStep::StaysOpen,
         {L""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LaunchSequence& self = *this;
        visualStudios_.clear();
        AddVisualStudio2019();
        ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
        LaunchContext context = Context();
        ASSERT_NO_FATAL_FAILURE(c.change(self, context));
        prompts_.messages.clear();
        prompts_.answers = {IDNO};
        std::vector<std::wstring> expected = c.messages;
        if (std::string_view(c.name) == "two releases in the Fluent folder")
            expected = {L"Can't decide which version to run because no Fluent or multiple Fluent "
                        L"versions found in \"" +
                        installation_.fluent.fluentFolder + L"\" folder."};
        if (std::string_view(c.name) == "a Fluent executable too short to read")
            expected = {L"Can't open \"" + installation_.fluent.startProgram + L"\" for reading!"};

        EXPECT_EQ(RunLaunchSequence(context), c.outcome);
        const std::vector<std::wstring> texts = MessageTexts();
        ASSERT_EQ(texts.size(), expected.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (!expected[i].empty()) {
                EXPECT_EQ(texts[i], expected[i]);
            }
        for (const auto& message : prompts_.messages)
            EXPECT_EQ(message.owner, launcher_.get());
        // Nothing started, nothing remembered.
        EXPECT_EQ(state_.startedProcessId, 0u);
        EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), L"");
        EndStartedPrograms();
        ASSERT_TRUE(RemoveTree(installation_.fluent.fluentFolder));
    }
}

TEST_F(LaunchSequence, BitnessMustMatchWindows) {
    AddVisualStudio2019();
    const bool win64 = RunsInWin64Prefix();
    // The other bitness: 32-bit on 64-bit Windows, 64-bit (where there is a 64-bit stand-in at
    // all: built for 64-bit Windows, it cannot run here, but its header can be read).
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable(L"fluent25.2.0", L"25.2", !win64));
    LaunchContext context = Context();
    EXPECT_EQ(RunLaunchSequence(context), LaunchStep::Closes);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::wstring>{
                  win64 ? L"Can't support 32bit Fluent running on 64 bit Windows.\nPlease install "
                          L"64 bit Fluent."
                        : L"Can't support 64bit Fluent running on 32 bit Windows. \nPlease install "
                          L"32 bit Fluent."});
    EXPECT_EQ(prompts_.messages[0].caption, L"Error");
    EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(LaunchSequence, ADirectStartPreparesRemembersAndRecordsTheNewFluent) {
    AddVisualStudio2019();
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    ASSERT_TRUE(settings_.SetString(L"FluentStartPath", home_.Path()));
    ASSERT_TRUE(WriteFileBytes(home_ / L".fluent", FastLoadLine));
    LaunchContext context = Context();
    context.options.dimension = Dimension::ThreeD;
    context.options.doublePrecision = 1;
    context.chineseFluent = true;

    EXPECT_EQ(RunLaunchSequence(context), LaunchStep::Continue);
    EXPECT_TRUE(prompts_.messages.empty());
    const SolverFound solver = FindSolver();
    ASSERT_NE(solver.processId, 0u);
    EXPECT_EQ(state_.startedProcessId, solver.processId);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA),
              static_cast<LONG_PTR>(solver.processId));
    EXPECT_FALSE(state_.workbenchLaunched);
    // The launcher's .fluent goes before a direct start: there was no backup, so no .fluent.
    EXPECT_FALSE(IsFile(home_ / L".fluent"));
    EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), installation_.fluent.fluentFolder);
    EXPECT_EQ(ReadSetting(L"VcVerUsed"), L"16");
    EXPECT_TRUE(EqualsNoCase(CurrentFolder(), home_.Path()));
    EXPECT_EQ(ReadEnvironmentVariable(L"lang"), L"zh");
    EXPECT_EQ(ReadEnvironmentVariable(L"RELEASE_MAJOR"), L"25");

    const auto record = SolverRecord(solver.processId);
    ASSERT_TRUE(record);
    const auto starts = ReadFakeRecords(records_.Path(), L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Value(fake::key::CommandLine), Quoted(installation_.fluent.startProgram) +
                                                           L" 3ddp -t1 -i \"" +
                                                           installation_.product.loaderScm + L"\"");
    EXPECT_EQ(record->Value(fake::key::Signal), L"sent");
    EXPECT_EQ(launcher_.Signals(), std::vector<WPARAM>{reinterpret_cast<WPARAM>(launcher_.get())});
}

TEST_F(LaunchSequence, AStartThatFailsEndsTheLauncher) {
    AddVisualStudio2019();
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    // A start program whose headers give the right bitness but which is no program.
    std::string image(512, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 0x40;
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    image[0x44] = RunsInWin64Prefix() ? '\x64' : '\x4C';
    image[0x45] = RunsInWin64Prefix() ? '\x86' : '\x01';
    ASSERT_TRUE(WriteFileBytes(installation_.fluent.startProgram, image));
    LaunchContext context = Context();
    EXPECT_EQ(RunLaunchSequence(context), LaunchStep::Closes);
    EXPECT_EQ(MessageTexts(), std::vector<std::wstring>{L"Can't start Fluent. Please make sure it "
                                                        L"is correctly installed or try starting "
                                                        L"with administrator rights."});
}

// The add-on's signal may come while the launch still asks its questions: the question is
// answered, and nothing is started afterwards.
TEST_F(LaunchSequence, ASignalBeforeTheStartStopsTheLaunchBeforeAnythingIsStarted) {
    AddVisualStudio2019();
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    launcher_.onSignal = [&] { state_.closeSignalled = true; };
    LaunchContext context = Context();
    context.options.processingMode = ProcessingMode::Parallel;
    context.options.processCount = 51;
    prompts_.answers = {IDYES};
    prompts_.whileShown = [&] {
        ::SendMessageW(launcher_.get(), fake::CloseSignal,
                       reinterpret_cast<WPARAM>(launcher_.get()), 0);
    };
    ClearLaunchLog();
    EXPECT_EQ(RunLaunchSequence(context), LaunchStep::Continue);
    EXPECT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(state_.startedProcessId, 0u);
    // A start program would have left its record by now.
    PumpMessages(2s);
    EXPECT_TRUE(ReadFakeRecords(records_.Path(), L"fluent").empty()) << "Fluent was started";
    EXPECT_TRUE(Contains(ReadLaunchLog(), L"close signal before the start: nothing was started"));
}

} // namespace
} // namespace qv::test
