#include "launch/couplings/library_patch.h"
#include "launch/couplings/matlab_launch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(MatlabLaunch, SearchPathPutsRuntimeBinAndArchFoldersFirst) {
    const std::wstring front = L"D:\\MATLAB\\R2019b\\runtime\\win64;D:\\MATLAB\\R2019b\\bin;D:"
                               L"\\MATLAB\\R2019b\\bin\\win64";
    EXPECT_EQ(MatlabSearchPath(L"D:\\MATLAB\\R2019b", L"win64", std::nullopt), front);
    EXPECT_EQ(MatlabSearchPath(L"D:\\MATLAB\\R2019b", L"win64", L"C:\\Tools\\;"),
              front + L";C:\\Tools");
    EXPECT_EQ(MatlabSearchPath(L"D:\\MATLAB\\R2019b", L"win64", L"C:\\A;C:\\B/;"),
              front + L";C:\\A;C:\\B");
    // ";" and "/" go first, then ";" and "\\": a "/" that only the second pass uncovers stays.
    EXPECT_EQ(MatlabSearchPath(L"D:\\MATLAB\\R2019b", L"win64", L"C:\\A;C:\\B/;;\\"),
              front + L";C:\\A;C:\\B/");
    // A PATH that exists with no value still counts as set.
    EXPECT_EQ(MatlabSearchPath(L"D:\\MATLAB\\R2019b", L"win64", L""), front + L";");
    EXPECT_EQ(MatlabSearchPath(L"E:\\M", MatlabArch(false), std::nullopt),
              L"E:\\M\\runtime\\win32;E:\\M\\bin;E:\\M\\bin\\win32");
}

TEST(MatlabLaunch, RegistrationAndComponentFilesFollowTheArchitecture) {
    EXPECT_EQ(MatlabArch(true), L"win64");
    EXPECT_EQ(MatlabRegistrationCommandLine(L"C:\\Program Files\\MATLAB\\R2020a", L"win32"),
              L"\"C:\\Program Files\\MATLAB\\R2020a\\bin\\win32\\matlab.exe\" -nojvm -nosplash "
              L"-nodesktop -r \"regmatlabserver;exit\"");
    EXPECT_EQ(MatlabCoderFile(L"D:\\M"), L"D:\\M\\toolbox\\coder\\matlabcoder\\codegen.p");
    EXPECT_EQ(MatlabCompilerFiles(L"D:\\M", L"win32"),
              (std::array<std::wstring, 2>{L"D:\\M\\extern\\include\\mclmcrrt.h",
                                           L"D:\\M\\extern\\lib\\win32\\microsoft\\mclmcrrt.lib"}));
}

TEST(LibraryPatch, PairsNameTheFilesOfBothSidesFluentAlwaysWin64) {
    const auto pairs =
        LibraryPatchPairs(L"D:\\MATLAB\\R2019b", L"win32",
                          L"C:\\Program Files\\ANSYS Inc\\v193\\fluent", L"fluent19.3.0");
    ASSERT_EQ(pairs.size(), 2u);
    const std::wstring m = L"D:\\MATLAB\\R2019b\\bin\\win32\\";
    const std::wstring f = L"C:\\Program Files\\ANSYS Inc\\v193\\fluent\\";
    const LibraryPatchPair& one = pairs[0];
    EXPECT_EQ(one.side, PatchSide::Matlab);
    EXPECT_EQ(one.fluentLibrary, f + L"fluent19.3.0\\addons\\afd\\win64\\hdf5.dll");
    EXPECT_EQ(one.matlabLibrary, m + L"hdf5.dll");
    EXPECT_EQ(one.copySource, m + L"hdf5.dll");
    EXPECT_EQ(one.copyTarget, m + L"hdf_.dll");
    EXPECT_EQ(one.rewritten, m + L"libmat.dll");
    EXPECT_EQ(one.from, (Bytes{0x68, 0x64, 0x66, 0x35, 0x2E, 0x64, 0x6C, 0x6C}));
    EXPECT_EQ(one.to, (Bytes{0x68, 0x64, 0x66, 0x5F, 0x2E, 0x64, 0x6C, 0x6C}));
    const LibraryPatchPair& two = pairs[1];
    EXPECT_EQ(two.side, PatchSide::Fluent);
    EXPECT_EQ(two.fluentLibrary, f + L"ntbin\\win64\\xerces-c_3_2.dll");
    EXPECT_EQ(two.matlabLibrary, m + L"xerces-c_3_2.dll");
    EXPECT_EQ(two.copySource, f + L"ntbin\\win64\\xerces-c_3_2.dll");
    EXPECT_EQ(two.copyTarget, f + L"ntbin\\win64\\xerces_c_3_2.dll");
    EXPECT_EQ(two.rewritten, f + L"ntbin\\win64\\libansysfluidscffinterface.dll");
    EXPECT_EQ(two.from, (Bytes{0x78, 0x65, 0x72, 0x63, 0x65, 0x73, 0x2D, 0x63, 0x5F, 0x33, 0x5F,
                               0x32, 0x2E, 0x64, 0x6C, 0x6C}));
    EXPECT_EQ(two.to, (Bytes{0x78, 0x65, 0x72, 0x63, 0x65, 0x73, 0x5F, 0x63, 0x5F, 0x33, 0x5F, 0x32,
                             0x2E, 0x64, 0x6C, 0x6C}));
}

} // namespace
} // namespace qv
