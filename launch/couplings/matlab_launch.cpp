#include "launch/couplings/matlab_launch.h"

#include "base/text.h"
#include "launch/command_line/launch_environment.h"

namespace qv {

std::wstring MatlabArch(bool fluent64) {
    return fluent64 ? L"win64" : L"win32";
}

std::wstring MatlabCoderFile(std::wstring_view root) {
    return std::wstring(root) + L"\\toolbox\\coder\\matlabcoder\\codegen.p";
}

std::array<std::wstring, 2> MatlabCompilerFiles(std::wstring_view root, std::wstring_view arch) {
    const std::wstring r(root);
    return {r + L"\\extern\\include\\mclmcrrt.h",
            r + L"\\extern\\lib\\" + std::wstring(arch) + L"\\microsoft\\mclmcrrt.lib"};
}

std::wstring MatlabProgram(std::wstring_view root, std::wstring_view arch) {
    return std::wstring(root) + L"\\bin\\" + std::wstring(arch) + L"\\matlab.exe";
}

std::wstring MatlabRegistrationCommandLine(std::wstring_view root, std::wstring_view arch) {
    return Quoted(MatlabProgram(root, arch)) +
           L" -nojvm -nosplash -nodesktop -r \"regmatlabserver;exit\"";
}

std::wstring MatlabSearchPath(std::wstring_view root, std::wstring_view arch,
                              const std::optional<std::wstring>& currentPath) {
    const std::wstring r(root), a(arch);
    std::wstring path = r + L"\\runtime\\" + a + L";" + r + L"\\bin;" + r + L"\\bin\\" + a;
    if (currentPath) path += L";" + TrimPathForPrepending(*currentPath);
    return path;
}

} // namespace qv
