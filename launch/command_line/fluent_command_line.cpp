#include "launch/command_line/fluent_command_line.h"

#include "base/text.h"
#include "launch/record/fluent_releases.h"

namespace qv {

namespace {

bool IsParallel(const LaunchOptions& options) {
    return options.processingMode == ProcessingMode::Parallel;
}

// Serial runs before 18.2 take no process option; from 22.2 on serial means one-core parallel.
std::wstring SerialSuffix(double version) {
    if (version < Fluent18_2) return L"";
    return version > Fluent2022R2 ? L" -t1" : L" -t0";
}

const wchar_t* DimensionToken(const LaunchOptions& options) {
    if (options.dimension == Dimension::TwoD) return options.doublePrecision == 0 ? L"2d" : L"2ddp";
    return options.doublePrecision == 0 ? L"3d" : L"3ddp";
}

} // namespace

std::wstring FluentStartProgram(bool startByWorkbench, std::wstring_view executable, double version,
                                std::wstring_view productFolder, const LaunchOptions& options) {
    if (!startByWorkbench && Fluent2021R2 < version && version <= Fluent2022R1 &&
        !IsParallel(options))
        return FormatText(L"%s\\addon\\win64\\Serial\\fluent.exe", {productFolder});
    return std::wstring(executable);
}

std::wstring ComposeFluentCommandLine(bool startByWorkbench, std::wstring_view executable,
                                      double version, std::wstring_view productFolder,
                                      const LaunchOptions& options) {
    if (startByWorkbench) return Quoted(executable);
    const std::wstring program =
        FluentStartProgram(startByWorkbench, executable, version, productFolder, options);
    const std::wstring processOption = IsParallel(options)
                                           ? L" -t" + std::to_wstring(options.processCount)
                                           : SerialSuffix(version);
    const std::wstring main = Quoted(program) + L" " + DimensionToken(options) + processOption;
    // Parallel Fluent 12 gets the add-on through its console instead.
    if (LoadsThroughConsole(version, options)) return main;
    // Fluent 6.3 wants the loader path in escaped quotes within the quotes.
    const wchar_t* loaderPattern =
        version < Fluent12 ? L"%s -i \"\\\"%s\\loader.scm\\\"\"" : L"%s -i \"%s\\loader.scm\"";
    return FormatText(loaderPattern, {main, productFolder});
}

} // namespace qv
