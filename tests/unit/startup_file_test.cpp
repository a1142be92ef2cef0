#include "launch/startup_file/startup_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(StartupFile, NamesInTheHomeFolder) {
    EXPECT_EQ(StartupFilePath(L"C:\\Users\\me"), L"C:\\Users\\me\\.fluent");
    EXPECT_EQ(StartupBackupPath(L"C:\\Users\\me"), L"C:\\Users\\me\\.fluent(Quorvex).backup");
}

TEST(StartupFile, TheLineLoadsLoaderBinFromTheVariablesFolder) {
    // Between Scheme's quotes: ~a, two backslash characters, loader.bin.
    EXPECT_EQ(std::string(FastLoadLine),
              std::string("(fast-load (open-input-file (format #f \"~a") + '\\' + '\\' +
                  "loader.bin\" (getenv \"QUORVEX_PATH\"))) (the-environment))");
    EXPECT_EQ(std::string(FastLoadLine).find('\n'), std::string::npos);
}

TEST(StartupFile, OnlyATextThatBeginsWithFastLoadAndHoldsAllThreePartsIsTheLaunchers) {
    const std::string line = FastLoadLine;
    const std::vector<std::pair<std::string, bool>> cases{
        {line, true},
        {line + "\n", true},
        {line + "\r\n(display \"more\")\n", true},
        {"(fast-load loader.bin QUORVEX_PATH (the-environment))", true},
        {";; my settings\n" + line, false}, // the line must begin the file
        {" " + line, false},
        {"(Fast-load" + line.substr(10), false},                            // compared exactly
        {"(fast-load (getenv \"QUORVEX_PATH\") (the-environment))", false}, // no loader.bin
        {"(fast-load \"loader.bin\" (the-environment))", false},            // no variable
        {"(fast-load \"loader.bin\" QUORVEX_PATH the-environment)", false},
        {"", false},
        {"(fast-loa", false},
    };
    for (const auto& [text, launchers] : cases)
        EXPECT_EQ(IsLauncherStartupText(text), launchers) << text;
}

} // namespace
} // namespace qv
