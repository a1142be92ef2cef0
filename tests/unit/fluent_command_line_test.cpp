#include "discovery/fluent_versions.h"
#include "launch/command_line/fluent_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

const std::wstring FluentExe = L"C:\\ANSYS Inc\\fluent\\ntbin\\win64\\fluent.exe";
// The programs as the head of a command line: quoted, so that the blank stays inside the path
// when the program splits its command line.
const std::wstring Fluent = L"\"" + FluentExe + L"\"";
const std::wstring AddonSerial = L"\"D:\\Q\\addon\\win64\\Serial\\fluent.exe\"";
const std::wstring Plain = L" -i \"D:\\Q\\loader.scm\"";
const std::wstring Escaped = L" -i \"\\\"D:\\Q\\loader.scm\\\"\"";
const std::wstring NoLoader;

LaunchOptions Options(int dimension, int doublePrecision, int mode, std::uint32_t count = 1) {
    LaunchOptions options;
    options.dimension = static_cast<Dimension>(dimension);
    options.doublePrecision = doublePrecision;
    options.processingMode = static_cast<ProcessingMode>(mode);
    options.processCount = count;
    return options;
}

std::wstring Compose(double version, const LaunchOptions& options) {
    return ComposeFluentCommandLine(false, FluentExe, version, L"D:\\Q", options);
}

TEST(FluentCommandLine, EverySupportedVersionOnItsSideOfEachThreshold) {
    // Serial: program and -t suffix; parallel with 4 processes: whether and how the loader follows.
    struct Row {
        const wchar_t* version;
        const std::wstring& serialProgram;
        const wchar_t* serialSuffix;
        const std::wstring& serialLoader;
        const std::wstring& parallelLoader;
    };
    const std::vector<Row> rows{
        {L"6.3", Fluent, L"", Escaped, Escaped},
        {L"12.0", Fluent, L"", Plain, NoLoader},
        {L"12.1", Fluent, L"", Plain, NoLoader},
        {L"13.0", Fluent, L"", Plain, Plain},
        {L"14.0", Fluent, L"", Plain, Plain},
        {L"14.5", Fluent, L"", Plain, Plain},
        {L"15.0", Fluent, L"", Plain, Plain},
        {L"16.0", Fluent, L"", Plain, Plain},
        {L"16.1", Fluent, L"", Plain, Plain},
        {L"16.2", Fluent, L"", Plain, Plain},
        {L"17.0", Fluent, L"", Plain, Plain},
        {L"17.1", Fluent, L"", Plain, Plain},
        {L"17.2", Fluent, L"", Plain, Plain},
        {L"18.0", Fluent, L"", Plain, Plain},
        {L"18.1", Fluent, L"", Plain, Plain},
        {L"18.2", Fluent, L" -t0", Plain, Plain},
        {L"19.0", Fluent, L" -t0", Plain, Plain},
        {L"19.1", Fluent, L" -t0", Plain, Plain},
        {L"19.2", Fluent, L" -t0", Plain, Plain},
        {L"19.3", Fluent, L" -t0", Plain, Plain},
        {L"19.4", Fluent, L" -t0", Plain, Plain},
        {L"19.5", Fluent, L" -t0", Plain, Plain},
        {L"20.1", Fluent, L" -t0", Plain, Plain},
        {L"20.2", Fluent, L" -t0", Plain, Plain},
        {L"21.1", Fluent, L" -t0", Plain, Plain},
        {L"21.2", AddonSerial, L" -t0", Plain, Plain},
        {L"22.1", AddonSerial, L" -t0", Plain, Plain},
        {L"22.2", Fluent, L" -t1", Plain, Plain},
        {L"23.1", Fluent, L" -t1", Plain, Plain},
        {L"23.2", Fluent, L" -t1", Plain, Plain},
        {L"24.1", Fluent, L" -t1", Plain, Plain},
        {L"24.2", Fluent, L" -t1", Plain, Plain},
        {L"25.1", Fluent, L" -t1", Plain, Plain},
        {L"25.2", Fluent, L" -t1", Plain, Plain},
    };
    ASSERT_EQ(rows.size(), FluentVersionTable.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        ASSERT_STREQ(row.version, FluentVersionTable[i].versionText);
        const double v = FluentVersionNumber(row.version);
        EXPECT_EQ(Compose(v, Options(1, 0, 0)),
                  row.serialProgram + L" 3d" + row.serialSuffix + row.serialLoader)
            << row.version;
        EXPECT_EQ(Compose(v, Options(1, 0, 1, 4)), Fluent + L" 3d -t4" + row.parallelLoader)
            << row.version;
    }
}

TEST(FluentCommandLine, ThresholdsAreTheExactDecimalBounds) {
    struct Case {
        double version;
        int mode;
        std::wstring expected;
    };
    const std::vector<Case> cases{
        {11.998, 0, Fluent + L" 3d" + Escaped},
        {11.999, 1, Fluent + L" 3d -t2"},         // Fluent 12 from 11.999 on ...
        {12.999, 1, Fluent + L" 3d -t2" + Plain}, // ... and below 12.999
        {18.189, 0, Fluent + L" 3d" + Plain},
        {18.19, 0, Fluent + L" 3d -t0" + Plain},
        {21.19, 0, Fluent + L" 3d -t0" + Plain}, // the serial replacement starts above 21.19 ...
        {21.191, 0, AddonSerial + L" 3d -t0" + Plain},
        {22.1, 0, AddonSerial + L" 3d -t0" + Plain}, // ... and ends with 22.1
        {22.100001, 0, Fluent + L" 3d -t0" + Plain},
        {22.19, 0, Fluent + L" 3d -t0" + Plain},
        {22.190001, 0, Fluent + L" 3d -t1" + Plain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Compose(c.version, Options(1, 0, c.mode, 2)), c.expected) << c.version;
}

TEST(FluentCommandLine, DimensionAndPrecisionTokens) {
    struct Case {
        int dimension, doublePrecision;
        const wchar_t* token;
    };
    for (const Case& c :
         std::vector<Case>{{0, 0, L"2d"}, {0, 1, L"2ddp"}, {1, 0, L"3d"}, {1, 1, L"3ddp"}}) {
        EXPECT_EQ(Compose(19.2, Options(c.dimension, c.doublePrecision, 0)),
                  Fluent + L" " + c.token + L" -t0" + Plain);
        EXPECT_EQ(Compose(19.2, Options(c.dimension, c.doublePrecision, 1, 999)),
                  Fluent + L" " + c.token + L" -t999" + Plain);
    }
}

TEST(FluentCommandLine, WorkedExamples) {
    EXPECT_EQ(
        Compose(19.2, Options(1, 1, 0)),
        L"\"C:\\ANSYS Inc\\fluent\\ntbin\\win64\\fluent.exe\" 3ddp -t0 -i \"D:\\Q\\loader.scm\"");
    EXPECT_EQ(
        Compose(19.2, Options(0, 0, 1, 8)),
        L"\"C:\\ANSYS Inc\\fluent\\ntbin\\win64\\fluent.exe\" 2d -t8 -i \"D:\\Q\\loader.scm\"");
    EXPECT_EQ(Compose(21.2, Options(1, 0, 0)),
              L"\"D:\\Q\\addon\\win64\\Serial\\fluent.exe\" 3d -t0 -i \"D:\\Q\\loader.scm\"");
    EXPECT_EQ(Compose(6.3, Options(0, 0, 0)),
              L"\"C:\\ANSYS Inc\\fluent\\ntbin\\win64\\fluent.exe\" 2d -i "
              L"\"\\\"D:\\Q\\loader.scm\\\"\"");
}

TEST(FluentCommandLine, WorkbenchStartIsTheExecutableAlone) {
    const std::wstring workbench = L"C:\\ANSYS Inc\\Framework\\bin\\Win64\\runwb2.exe";
    for (double v : {6.3, 12.1, 21.2, 22.2}) {
        EXPECT_EQ(ComposeFluentCommandLine(true, workbench, v, L"D:\\Q", Options(1, 1, 0)),
                  L"\"" + workbench + L"\"");
        EXPECT_EQ(FluentStartProgram(true, workbench, v, L"D:\\Q", Options(1, 1, 0)), workbench);
    }
}

TEST(FluentCommandLine, StartProgramIsTheQuotedHeadOfTheCommandLine) {
    for (const FluentVersionRow& row : FluentVersionTable) {
        for (int mode : {0, 1}) {
            const double v = FluentVersionNumber(row.versionText);
            const std::wstring program =
                FluentStartProgram(false, FluentExe, v, L"D:\\Q", Options(0, 0, mode, 2));
            EXPECT_EQ(Compose(v, Options(0, 0, mode, 2)).rfind(L"\"" + program + L"\" 2d", 0), 0u)
                << row.versionText;
        }
    }
}

} // namespace
} // namespace qv
