// A press of OK as the log gives it: the dialog's own terms, whatever Fluent was chosen.
#include "ui/launch_press_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(LaunchPressText, EveryChoiceReadsAsTheDialogShowedIt) {
    LaunchPress press;
    press.options.dimension = Dimension::ThreeD;
    press.options.doublePrecision = 1;
    press.options.callCoolProp = 1;
    press.chineseFluent = true;
    press.fluentEntry = L"2025 R2";
    press.fluentFolder = L"C:\\Program Files\\ANSYS Inc\\v252\\fluent";
    press.visualStudio = L"2019";
    press.matlab = L"need 2014~2021";
    EXPECT_EQ(
        LaunchPressLogText(press),
        L"OK: 3D, Double Precision on, 1-Core Parallel, Chinese Fluent on, Start by "
        L"WorkBench off; Call CoolProp on, Call Intel Fortran off, Call Matlab off; Fluent "
        L"version to run: 2025 R2 (C:\\Program Files\\ANSYS Inc\\v252\\fluent); VC version to "
        L"run: 2019");
}

// The first mode radio reads "1-Core Parallel" from 2022 R2 on, where Fluent gets -t1.
TEST(LaunchPressText, TheFirstModeIsNamedAsItsRadioWasLabelledForTheChosenFluent) {
    struct Case {
        const wchar_t* entry;
        ProcessingMode mode;
        std::uint32_t count;
        const wchar_t* named;
    };
    for (const Case& c : std::vector<Case>{
             {L"2022 R2", ProcessingMode::Serial, 1, L"1-Core Parallel"},
             {L"2023 R1", ProcessingMode::Serial, 1, L"1-Core Parallel"},
             {L"2022 R1", ProcessingMode::Serial, 1, L"Serial"},
             {L"19.2", ProcessingMode::Serial, 1, L"Serial"},
             {L"Not found", ProcessingMode::Serial, 1, L"Serial"},
             {L"2025 R2", ProcessingMode::Parallel, 8, L"Parallel, Processes(1~999) 8"},
             {L"2025 R2", static_cast<ProcessingMode>(-1), 1, L"no processing option"}}) {
        LaunchPress press;
        press.fluentEntry = c.entry;
        press.options.processingMode = c.mode;
        press.options.processCount = c.count;
        const std::wstring text = LaunchPressLogText(press);
        EXPECT_NE(text.find(L"OK: 2D, Double Precision off, " + std::wstring(c.named) +
                            L", Chinese Fluent off"),
                  std::wstring::npos)
            << text;
    }
}

// The line shows the choices the launch uses: a Workbench start takes no dimension, precision or
// processes, and MATLAB's link and version count only with MATLAB on.
TEST(LaunchPressText, OnlyTheChoicesTheLaunchUsesAreSaid) {
    struct Case {
        const char* name;
        bool workbench, matlab;
        std::vector<const wchar_t*> said, unsaid;
    };
    const std::vector<Case> cases{
        {"direct, MATLAB off",
         false,
         false,
         {L"OK: 3D, Double Precision on, Parallel, Processes(1~999) 8, Chinese Fluent off, Start "
          L"by "
          L"WorkBench off;",
          L"Call Matlab off; Fluent version to run: Not found (no folder); VC version to run: 2019",
          L"Call Intel Fortran on"},
         {L"link", L"Matlab version to run"}},
        {"direct, MATLAB on",
         false,
         true,
         {L"OK: 3D, Double Precision on, Parallel, Processes(1~999) 8,",
          L"Call Matlab on (Dynamic link);",
          L"VC version to run: 2019; Matlab version to run: R2020a"},
         {}},
        {"Workbench, MATLAB off",
         true,
         false,
         {L"OK: Chinese Fluent off, Start by WorkBench on; Call CoolProp off, Call Intel Fortran "
          L"on, "
          L"Call Matlab off; Fluent version to run: Not found (no folder); VC version to run: "
          L"2019"},
         {L"3D", L"Precision", L"Parallel", L"Processes", L"link", L"Matlab version to run"}},
        {"Workbench, MATLAB on",
         true,
         true,
         {L"OK: Chinese Fluent off, Start by WorkBench on;", L"Call Matlab on (Dynamic link);",
          L"Matlab version to run: R2020a"},
         {L"3D", L"Precision", L"Parallel", L"Processes"}},
    };
    for (const Case& c : cases) {
        LaunchPress press;
        press.options.dimension = Dimension::ThreeD;
        press.options.doublePrecision = 1;
        press.options.processingMode = ProcessingMode::Parallel;
        press.options.processCount = 8;
        press.options.startByWorkbench = c.workbench;
        press.options.callMatlab = c.matlab;
        press.options.callIntelFortran = 1;
        press.options.linkMode = MatlabLink::Dynamic;
        press.fluentEntry = L"Not found";
        press.visualStudio = L"2019";
        press.matlab = L"R2020a";
        const std::wstring text = LaunchPressLogText(press);
        for (const wchar_t* part : c.said)
            EXPECT_NE(text.find(part), std::wstring::npos) << c.name << ": " << part << "\n"
                                                           << text;
        for (const wchar_t* part : c.unsaid)
            EXPECT_EQ(text.find(part), std::wstring::npos) << c.name << ": " << part << "\n"
                                                           << text;
    }
}

} // namespace
} // namespace qv
