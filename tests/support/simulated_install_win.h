// Simulated installations of Fluent, Workbench, the add-on and MATLAB, laid out from the
// stand-ins in tests/fakes, for tests and for the demo sandbox. Everything is made at the paths
// the caller gives; each installation root gets a README.txt that says it is simulated.
// No gtest here: the sandbox tool links this too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// The tests' own bitness. Stand-ins whose bitness does not matter to a test take it: they run
// wherever the tests run (a machine that runs no 32-bit program tests the 64-bit build).
inline constexpr bool TestsAre64Bit = sizeof(void*) == 8;

// Where the built stand-ins are, one folder per bitness.
struct FakeProgramFolders {
    std::wstring bits32;
    std::wstring bits64;
    const std::wstring& For(bool is64Bit) const { return is64Bit ? bits64 : bits32; }
    const std::wstring& Runnable() const { return For(TestsAre64Bit); }
};

struct FluentLayoutOptions {
    bool udfHeaderInSubfolder = false; // src\udf\udf.h instead of src\udf.h
    bool withWorkbench = true;
};

// A Fluent folder F with one release folder and one start program with its solver.
struct SimulatedFluent {
    bool complete = false;      // every folder and file was made
    std::wstring fluentFolder;  // F, as discovery and Browse see it
    std::wstring releaseFolder; // F\<release>
    std::wstring udfHeader;
    std::wstring startProgram; // F\ntbin\win64\fluent.exe or F\ntbin\ntx86\fluent.exe
    std::wstring solver;       // the solver beside it
    std::wstring workbench;    // <parent of F>\Framework\bin\Win64|Win32\runwb2.exe, or ""
};

// release: a release folder name such as fluent19.3.0; the stand-ins are of the given bitness.
SimulatedFluent LayOutFluent(const FakeProgramFolders& fakes, const std::wstring& fluentFolder,
                             const std::wstring& release, bool is64Bit,
                             const FluentLayoutOptions& options = {});

// Every library the product folder check may ask for.
const std::vector<std::wstring>& AllProductLibraries();

// The add-on's product folder P.
struct SimulatedProduct {
    bool complete = false;
    std::wstring folder;
    std::wstring loaderScm;              // P\loader.scm
    std::wstring loaderBin;              // P\loader.bin
    std::wstring addonFolder;            // P\addon
    std::wstring serialStartProgram;     // P\addon\win64\Serial\fluent.exe (64-bit)
    std::wstring serialSolver;           // the solver beside it
    std::vector<std::wstring> headers;   // P\include\<version>\udf.h, one per version text
    std::vector<std::wstring> libraries; // P\<library>
};

// fluentVersions: version texts such as 19.3, one include folder each.
SimulatedProduct
LayOutProductFolder(const FakeProgramFolders& fakes, const std::wstring& folder,
                    const std::vector<std::wstring>& fluentVersions,
                    const std::vector<std::wstring>& libraries = AllProductLibraries());

// MATLAB root R with R\bin\matlab.exe and R\bin\win64\matlab.exe (or win32) as stand-ins.
struct SimulatedMatlab {
    bool complete = false;
    std::wstring root;
    std::wstring matlab;     // R\bin\matlab.exe
    std::wstring archMatlab; // R\bin\win64\matlab.exe or R\bin\win32\matlab.exe
};
SimulatedMatlab LayOutMatlab(const FakeProgramFolders& fakes, const std::wstring& root,
                             bool is64Bit);

// Visual Studio 2019 with both compilers, MFC for this Windows, the add-on's extension and the
// settings tool (a stand-in) in Common7\IDE. Registered nowhere: discovery finds it on the drive.
struct SimulatedVisualStudio {
    bool complete = false;
    std::wstring root;
    std::wstring extension;    // Common7\IDE\Extensions\Quorvex\Quorvex.dll
    std::wstring settingsTool; // Common7\IDE\VsRegEdit.exe
};
SimulatedVisualStudio LayOutVisualStudio2019(const FakeProgramFolders& fakes,
                                             const std::wstring& root, bool windows64);

// MATLAB's installer's registration of a root (64-bit registry view), e.g. version 9.9.
[[nodiscard]] bool RegisterMatlab(const std::wstring& version, const std::wstring& root);

// Copies one stand-in (by its file name, e.g. VsRegEdit.exe) to a path, making its folders.
[[nodiscard]] bool PlaceFakeProgram(const FakeProgramFolders& fakes, std::wstring_view name,
                                    bool is64Bit, const std::wstring& destination);

// README.txt in the folder saying that it holds a simulated installation of what it names.
[[nodiscard]] bool LabelAsSimulated(const std::wstring& folder, std::wstring_view what);

} // namespace qv::test
