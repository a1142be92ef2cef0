// Texts of the launch in both languages, side by side: the checks behind OK, the product folder
// question, the start and the wait for Fluent, closing while Fluent starts, and the start-up file.
// Each %s or %d is filled as the comment above it says.
#pragma once

#include "texts/language.h"

namespace qv::launch_texts {

inline constexpr Message NoVisualStudio{
    "no-visual-studio",
    L"No VC found on this machine. Please install visual studio (2010~2019) first.",
    L"本机上未发现VC，请先安装Visual Studio (2010~2019)"};
inline constexpr Message NoFluentFolder{
    "no-fluent-folder",
    L"Please first specify the Fluent installing directory using the \"Browse\" button.",
    L"请先点击\"浏览\"按钮指定Fluent已安装目录"};
// %s: the Fluent executable.
inline constexpr Message ExecutableUnreadable{
    "fluent-program-unreadable", L"Can't open \"%s\" for reading!", L"无法打开\"%s\"进行读取!"};
inline constexpr Message Fluent64OnWindows32{
    "fluent-64-bit-on-windows-32-bit",
    L"Can't support 64bit Fluent running on 32 bit Windows. \nPlease install 32 bit Fluent.",
    L"本软件不支持32位Windows上运行64位Fluent\n请安装32位Fluent"};
inline constexpr Message Fluent32OnWindows64{
    "fluent-32-bit-on-windows-64-bit",
    L"Can't support 32bit Fluent running on 64 bit Windows.\nPlease install 64 bit Fluent.",
    L"本软件不支持在64位Windows上运行32位Fluent\n请安装64位Fluent"};
inline constexpr Message NoWorkbench{
    "no-workbench",
    L"Can't find Workbench executable file.\nPlease check whether it is installed correctly.",
    L"无法找到Workbench可执行文件，请校核是否已经正确安装"};
inline constexpr Message ManyProcesses{
    "many-processes",
    L"Parallel processes more than 50. Too many processes\ndo not make sense when coding UDF. Sure "
    L"to continue?",
    L"并行核数已大于50，编写UDF时核数过多没有意义，继续吗？"};

// %s: the variable's name.
inline constexpr Message ProductVariableMissing{
    "product-variable-missing",
    L"Can't find environment variable \"%s\".\nPlease select Quorvex installation folder.",
    L"无法找到环境变量\"%s\"\n请指定Quorvex安装目录"};
inline constexpr TextPair ProductFolderPickerTitle{L"Select Quorvex installation folder...",
                                                   L"选择Quorvex安装目录..."};
inline constexpr Message PickedItemHasNoPath{"picked-folder-has-no-path",
                                             L"Error in getting folder. Please select again.",
                                             L"获取目录出错，请重新选择"};

// Visual Studio at launch; %s: the year ("2010" ... "2019").
inline constexpr Message VisualStudioUnsupported{
    "visual-studio-unsupported", L"Only Visual Studio 2010~2019 supported in this version.",
    L"本版本只支持Visual Studio 2010~2019"};
inline constexpr Message CSharpMissing{"visual-csharp-missing",
                                       L"Please install Visual C# for Visual Studio %s first.",
                                       L"请先为Visual Studio %s安装Visual C#"};
inline constexpr Message Compiler64Missing{
    "compiler-64-bit-missing", L"Please install 64 bit C++ compiler for Visual Studio %s first.",
    L"请先为Visual Studio %s安装64位C++编译器"};
inline constexpr Message Compiler32Missing{
    "compiler-32-bit-missing", L"Please install 32 bit C++ compiler for Visual Studio %s first.",
    L"请先为Visual Studio %s安装32位C++编译器"};
inline constexpr Message MfcMissing{
    "mfc-missing",
    L"Please install MFC components first for VS%s. Reference to this software tutorial for "
    L"details.",
    L"请先为VS%s安装MFC组件，具体可参考本软件教程手册"};
inline constexpr Message ExtensionMissing{
    "extension-missing",
    L"\"Quorvex\" extension menu not installed for Visual Studio %s. Please assure that Visual "
    L"Studio has been installed before installing this software. If Visual Studio exists, you can "
    L"run this software installer again to fix this issue.",
    L"尚未给Visual Studio "
    L"%s安装\"Quorvex\"扩展菜单，请在安装本软件前先保证已经安装好Visual Studio，如Visual "
    L"Studio已存在，可以再次运行本软件安装包修复此问题。"};

// The start of Workbench or Fluent.
inline constexpr Message WorkbenchStartFailed{
    "workbench-start-failed",
    L"Can't start Workbench. Please make sure it is correctly installed or try starting with "
    L"administrator rights.",
    L"无法启动Workbench，请确保其已正确安装或者尝试以管理员权限启动"};
inline constexpr Message FluentStartFailed{
    "fluent-start-failed",
    L"Can't start Fluent. Please make sure it is correctly installed or try starting with "
    L"administrator rights.",
    L"无法启动Fluent，请确保其已正确安装或者尝试以管理员权限启动"};

// Asked when no new Fluent window has shown for a long time. The start program either still
// runs, or it has ended (%s: its exit code).
inline constexpr Message StillWaitingStartRuns{
    "still-waiting-start-runs",
    L"Fluent's start program is still running, and no new Fluent window has appeared since the "
    L"start.\nKeep waiting for Fluent?",
    L"Fluent启动程序仍在运行，启动后一直未出现新的Fluent窗口。\n继续等待Fluent吗？"};
inline constexpr Message StillWaitingStartEnded{
    "still-waiting-start-ended",
    L"Fluent's start program ended with exit code %s, and no new Fluent window has appeared "
    L"since the start.\nKeep waiting for Fluent?",
    L"Fluent启动程序已结束（退出代码%s），启动后一直未出现新的Fluent窗口。\n继续等待Fluent吗？"};

// The start program has ended with an error code and no Fluent window has come: %s the program,
// %s its exit code. The dialog is back for another try.
inline constexpr Message StartProgramFailed{
    "start-program-failed",
    L"Fluent's start program \"%s\" ended with exit code %s, and no Fluent window has "
    L"appeared.\nPlease make sure Fluent is correctly installed and licensed, then try again.",
    L"Fluent启动程序\"%s\"已结束（退出代码%s），未出现Fluent窗口。\n请确保Fluent已正确安装并"
    L"已获得许可，然后重试。"};
// Cancel, Esc or the close box while the launcher waits for Fluent.
inline constexpr Message StopWaitingQuestion{
    "stop-waiting",
    L"The launcher is waiting for Fluent to start.\nStop waiting? Fluent and its start program "
    L"are left running.",
    L"启动器正在等待Fluent启动。\n停止等待吗？Fluent及其启动程序将继续运行。"};
// Asked when parallel Fluent 12 runs but its console has not shown for a long time.
inline constexpr Message ConsoleStillMissing{
    "console-still-missing",
    L"Fluent is running, but its console has not appeared since its window showed, so the "
    L"Quorvex load command cannot be entered yet.\nKeep waiting for Fluent's console?",
    L"Fluent正在运行，但其窗口出现后一直未出现控制台窗口，暂时无法输入Quorvex加载命令。\n继续"
    L"等待Fluent控制台吗？"};

inline constexpr Message ClosingWhileStarting{
    "closing-while-starting",
    L"You can't close launcher when starting Fluent/Workbench\nIt will be auto closed after "
    L"Quorvex menu loaded in Fluent.",
    L"启动Fluent/Workbench过程中请不要关闭启动器\nFluent中Quorvex菜单加载后会自动关闭它"};

inline constexpr Message StartupFileUnwritable{
    "startup-file-unwritable", L"Can't open key file. Try closing other Fluent prcesss.",
    L"无法打开关键文件，可以尝试关闭其它Fluent进程"};

// English in both interface languages, under the caption "Error".
inline constexpr Message RemoteProcessUnreadable{
    "remote-process-unreadable", L"Can't open process when getting remote environment variable.",
    L"Can't open process when getting remote environment variable."};
inline constexpr TextPair RemoteProcessCaption{L"Error", L"Error"};

} // namespace qv::launch_texts
