#include "tests/support/simulated_install_win.h"

#include "tests/fakes/fake_record.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/registry_edit_win.h"

#include <windows.h>

#include <string>

namespace qv::test {
namespace {

// Makes folders and files, remembering whether every step succeeded.
class Builder {
  public:
    bool Succeeded() const { return ok_; }

    void Folder(const std::wstring& path) { ok_ = MakeFolders(path) && ok_; }

    void Text(const std::wstring& path, std::string_view text) {
        ok_ = WriteFileBytes(path, text) && ok_;
    }

    void Copy(const std::wstring& from, const std::wstring& to) {
        ok_ = MakeFolders(FolderOf(to)) && !from.empty() &&
              ::CopyFileW(from.c_str(), to.c_str(), FALSE) && ok_;
    }

    void FakeProgram(const FakeProgramFolders& fakes, std::wstring_view name, bool is64Bit,
                     const std::wstring& destination) {
        const std::wstring& folder = fakes.For(is64Bit);
        Copy(folder.empty() ? std::wstring() : folder + L"\\" + std::wstring(name), destination);
    }

    void Label(const std::wstring& folder, std::wstring_view what) {
        std::string text = "Simulated installation for the tests and the demo: ";
        for (wchar_t c : what)
            text += c < 0x80 ? static_cast<char>(c) : '?';
        text += ".\r\nThe programs here are stand-ins that record what they receive; nothing here "
                "is the real product.\r\n";
        Text(folder + L"\\README.txt", text);
    }

  private:
    bool ok_ = true;
};

constexpr std::string_view PlaceholderText = "simulated file: only its presence matters\r\n";

} // namespace

SimulatedFluent LayOutFluent(const FakeProgramFolders& fakes, const std::wstring& fluentFolder,
                             const std::wstring& release, bool is64Bit,
                             const FluentLayoutOptions& options) {
    SimulatedFluent fluent;
    Builder build;
    fluent.fluentFolder = fluentFolder;
    fluent.releaseFolder = fluentFolder + L"\\" + release;
    fluent.udfHeader = fluent.releaseFolder +
                       (options.udfHeaderInSubfolder ? L"\\src\\udf\\udf.h" : L"\\src\\udf.h");
    build.Text(fluent.udfHeader, "/* simulated Fluent UDF header */\r\n");

    const std::wstring binaries = fluentFolder + (is64Bit ? L"\\ntbin\\win64" : L"\\ntbin\\ntx86");
    fluent.startProgram = binaries + L"\\fluent.exe";
    fluent.solver = binaries + L"\\" + fake::SolverExeName;
    build.FakeProgram(fakes, L"fluent.exe", is64Bit, fluent.startProgram);
    build.FakeProgram(fakes, fake::SolverExeName, is64Bit, fluent.solver);

    if (options.withWorkbench) {
        // Workbench lies beside the Fluent folder; its stand-in starts the solver beside itself.
        const std::wstring framework =
            FolderOf(fluentFolder) +
            (is64Bit ? L"\\Framework\\bin\\Win64" : L"\\Framework\\bin\\Win32");
        fluent.workbench = framework + L"\\runwb2.exe";
        build.FakeProgram(fakes, L"RunWB2.exe", is64Bit, fluent.workbench);
        build.FakeProgram(fakes, fake::SolverExeName, is64Bit,
                          framework + L"\\" + fake::SolverExeName);
    }
    build.Label(fluentFolder, L"ANSYS Fluent " + release);
    fluent.complete = build.Succeeded();
    return fluent;
}

const std::vector<std::wstring>& AllProductLibraries() {
    static const std::vector<std::wstring> libraries = {
        L"HubX86.dll", L"HubX64.dll", L"HubQ4.dll", L"HubQ5.dll", L"HubQ5n.dll", L"Quorvex.dll"};
    return libraries;
}

SimulatedProduct LayOutProductFolder(const FakeProgramFolders& fakes, const std::wstring& folder,
                                     const std::vector<std::wstring>& fluentVersions,
                                     const std::vector<std::wstring>& libraries) {
    SimulatedProduct product;
    Builder build;
    product.folder = folder;
    product.loaderScm = folder + L"\\loader.scm";
    product.loaderBin = folder + L"\\loader.bin";
    build.Text(product.loaderScm,
               "; simulated add-on loader: the simulated solver checks that it exists\r\n");
    build.Text(product.loaderBin, "; simulated add-on loader for .fluent starts\r\n");

    product.addonFolder = folder + L"\\addon";
    const std::wstring serial = product.addonFolder + L"\\win64\\Serial";
    product.serialStartProgram = serial + L"\\fluent.exe";
    product.serialSolver = serial + L"\\" + fake::SolverExeName;
    build.FakeProgram(fakes, L"fluent.exe", true, product.serialStartProgram);
    build.FakeProgram(fakes, fake::SolverExeName, true, product.serialSolver);

    for (const auto& version : fluentVersions) {
        product.headers.push_back(folder + L"\\include\\" + version + L"\\udf.h");
        build.Text(product.headers.back(), "/* simulated add-on UDF header */\r\n");
    }
    for (const auto& library : libraries) {
        product.libraries.push_back(folder + L"\\" + library);
        build.Text(product.libraries.back(), PlaceholderText);
    }
    build.Label(folder, L"Quorvex add-on");
    product.complete = build.Succeeded();
    return product;
}

SimulatedMatlab LayOutMatlab(const FakeProgramFolders& fakes, const std::wstring& root,
                             bool is64Bit) {
    SimulatedMatlab matlab;
    Builder build;
    matlab.root = root;
    matlab.matlab = root + L"\\bin\\matlab.exe";
    matlab.archMatlab =
        root + (is64Bit ? L"\\bin\\win64\\matlab.exe" : L"\\bin\\win32\\matlab.exe");
    build.FakeProgram(fakes, L"matlab.exe", is64Bit, matlab.matlab);
    build.FakeProgram(fakes, L"matlab.exe", is64Bit, matlab.archMatlab);
    build.Label(root, L"MATLAB");
    matlab.complete = build.Succeeded();
    return matlab;
}

SimulatedVisualStudio LayOutVisualStudio2019(const FakeProgramFolders& fakes,
                                             const std::wstring& root, bool windows64) {
    SimulatedVisualStudio vs;
    Builder build;
    vs.root = root;
    const std::wstring tools = root + L"\\VC\\Tools\\MSVC\\14.29.30133";
    build.Text(root + L"\\Common7\\IDE\\devenv.exe", PlaceholderText);
    build.Folder(root + L"\\Common7\\Tools");
    build.Text(root + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt",
               "14.29.30133\r\n");
    for (const wchar_t* file : {L"\\bin\\Hostx86\\x86\\cl.exe", L"\\bin\\Hostx86\\x64\\cl.exe",
                                L"\\atlmfc\\include\\afxwin.h"})
        build.Text(tools + file, PlaceholderText);
    build.Text(
        tools + (windows64 ? L"\\atlmfc\\lib\\x64\\uafxcw.lib" : L"\\atlmfc\\lib\\x86\\uafxcw.lib"),
        PlaceholderText);
    vs.extension = root + L"\\Common7\\IDE\\Extensions\\Quorvex\\Quorvex.dll";
    build.Text(vs.extension, PlaceholderText);
    vs.settingsTool = root + L"\\Common7\\IDE\\VsRegEdit.exe";
    build.FakeProgram(fakes, L"VsRegEdit.exe", TestsAre64Bit, vs.settingsTool);
    build.Label(root, L"Visual Studio 2019");
    vs.complete = build.Succeeded();
    return vs;
}

bool RegisterMatlab(const std::wstring& version, const std::wstring& root) {
    return WriteRegistryText(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\" + version,
                             L"MATLABROOT", root, KEY_WOW64_64KEY);
}

bool PlaceFakeProgram(const FakeProgramFolders& fakes, std::wstring_view name, bool is64Bit,
                      const std::wstring& destination) {
    Builder build;
    build.FakeProgram(fakes, name, is64Bit, destination);
    return build.Succeeded();
}

bool LabelAsSimulated(const std::wstring& folder, std::wstring_view what) {
    Builder build;
    build.Label(folder, what);
    return build.Succeeded();
}

} // namespace qv::test
