// Every message of the launch, its couplings and the start-up file, English beside Chinese as
// the user is to read them, against the texts the launcher shows: each pair picked as the
// launcher picks it, with the interface language switched.
#include "base/text.h"
#include "texts/discovery_texts.h"
#include "texts/fortran_texts.h"
#include "texts/language.h"
#include "texts/launch_texts.h"
#include "texts/library_patch_texts.h"
#include "texts/main_dialog_texts.h"
#include "texts/matlab_texts.h"
#include "texts/product_folder_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

struct Expected {
    const char* name;
    const TextPair& shown;
    const wchar_t* english;
    const wchar_t* chinese;
};

// The language for a scope; the earlier one comes back at its end.
class LanguageScope {
  public:
    explicit LanguageScope(InterfaceLanguage language) { SetInterfaceLanguage(language); }
    ~LanguageScope() { SetInterfaceLanguage(earlier_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

  private:
    InterfaceLanguage earlier_ = CurrentInterfaceLanguage();
};

std::wstring ReplaceAll(std::wstring text, std::wstring_view from, std::wstring_view to) {
    for (std::size_t at = text.find(from); at != text.npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(MessageTexts, EveryLaunchMessageReadsAsWrittenInBothLanguages) {
    const std::vector<Expected> messages{
        {"no Visual Studio", launch_texts::NoVisualStudio,
         L"No VC found on this machine. Please install visual studio (2010~2019) first.",
         L"本机上未发现VC，请先安装Visual Studio (2010~2019)"},
        {"no Fluent folder", launch_texts::NoFluentFolder,
         L"Please first specify the Fluent installing directory using the \"Browse\" button.",
         L"请先点击\"浏览\"按钮指定Fluent已安装目录"},
        {"not exactly one release at launch", LaunchNotExactlyOneText,
         L"Can't decide which version to run because no Fluent or multiple Fluent versions found "
         L"in \"%s\" folder.",
         L"无法确定该运行哪个版本，因为\"%s\"目录中未发现Fluent或发现多于一个版本"},
        {"unsupported version at launch", LaunchUnsupportedVersionText,
         L"Fluent %s is not supported in current Quorvex.", L"当前Quorvex版本尚不支持Fluent %s"},
        {"executable unreadable", launch_texts::ExecutableUnreadable,
         L"Can't open \"%s\" for reading!", L"无法打开\"%s\"进行读取!"},
        {"64-bit Fluent, 32-bit Windows", launch_texts::Fluent64OnWindows32,
         L"Can't support 64bit Fluent running on 32 bit Windows. \nPlease install 32 bit Fluent.",
         L"本软件不支持32位Windows上运行64位Fluent\n请安装32位Fluent"},
        {"32-bit Fluent, 64-bit Windows", launch_texts::Fluent32OnWindows64,
         L"Can't support 32bit Fluent running on 64 bit Windows.\nPlease install 64 bit Fluent.",
         L"本软件不支持在64位Windows上运行32位Fluent\n请安装64位Fluent"},
        {"no Workbench", launch_texts::NoWorkbench,
         L"Can't find Workbench executable file.\nPlease check whether it is installed correctly.",
         L"无法找到Workbench可执行文件，请校核是否已经正确安装"},
        {"more than 50 processes", launch_texts::ManyProcesses,
         L"Parallel processes more than 50. Too many processes\ndo not make sense when coding UDF. "
         L"Sure to continue?",
         L"并行核数已大于50，编写UDF时核数过多没有意义，继续吗？"},
        {"product variable missing", launch_texts::ProductVariableMissing,
         L"Can't find environment variable \"%s\".\nPlease select Quorvex installation folder.",
         L"无法找到环境变量\"%s\"\n请指定Quorvex安装目录"},
        {"product folder picker title", launch_texts::ProductFolderPickerTitle,
         L"Select Quorvex installation folder...", L"选择Quorvex安装目录..."},
        {"picked item without a path", launch_texts::PickedItemHasNoPath,
         L"Error in getting folder. Please select again.", L"获取目录出错，请重新选择"},
        {"start-up file unwritable", launch_texts::StartupFileUnwritable,
         L"Can't open key file. Try closing other Fluent prcesss.",
         L"无法打开关键文件，可以尝试关闭其它Fluent进程"},
        {"Workbench start failed", launch_texts::WorkbenchStartFailed,
         L"Can't start Workbench. Please make sure it is correctly installed or try starting with "
         L"administrator rights.",
         L"无法启动Workbench，请确保其已正确安装或者尝试以管理员权限启动"},
        {"Fluent start failed", launch_texts::FluentStartFailed,
         L"Can't start Fluent. Please make sure it is correctly installed or try starting with "
         L"administrator rights.",
         L"无法启动Fluent，请确保其已正确安装或者尝试以管理员权限启动"},
        {"start program failed", launch_texts::StartProgramFailed,
         L"Fluent's start program \"%s\" ended with exit code %s, and no Fluent window has "
         L"appeared.\nPlease make sure Fluent is correctly installed and licensed, then try again.",
         L"Fluent启动程序\"%s\"已结束（退出代码%s），未出现Fluent窗口。\n请确保Fluent已正确安装"
         L"并已获得许可，然后重试。"},
        {"stop waiting", launch_texts::StopWaitingQuestion,
         L"The launcher is waiting for Fluent to start.\nStop waiting? Fluent and its start "
         L"program are left running.",
         L"启动器正在等待Fluent启动。\n停止等待吗？Fluent及其启动程序将继续运行。"},
        {"console still missing", launch_texts::ConsoleStillMissing,
         L"Fluent is running, but its console has not appeared since its window showed, so the "
         L"Quorvex load command cannot be entered yet.\nKeep waiting for Fluent's console?",
         L"Fluent正在运行，但其窗口出现后一直未出现控制台窗口，暂时无法输入Quorvex加载命令。"
         L"\n继续等待Fluent控制台吗？"},
        {"closing while starting", launch_texts::ClosingWhileStarting,
         L"You can't close launcher when starting Fluent/Workbench\nIt will be auto closed after "
         L"Quorvex menu loaded in Fluent.",
         L"启动Fluent/Workbench过程中请不要关闭启动器\nFluent中Quorvex菜单加载后会自动关闭它"},
        {"product item missing", ProductItemMissingText,
         L"Can't find \"%s\". \nThe Quorvex directory is wrong or corrupted.",
         L"无法找到\"%s\"\nQuorvex目录错误或损坏"},
        {"no MATLAB", MatlabNotFoundText,
         L"No Matlab found on this machine. Please install Matlab (2014a ~ 2021b) first.",
         L"本机上未发现Matlab，请先安装Matlab (2014a ~ 2021b)"},
        {"MATLAB Coder missing", MatlabCoderMissingText,
         L"Matlab Coder component is not found on this computer.\nPlease check this item when "
         L"installing Matlab %s.",
         L"本机上未找到Matlab Coder组件\n请安装Matlab%s时勾选该组件"},
        {"MATLAB Compiler missing", MatlabCompilerMissingText,
         L"Matlab Compiler component is not found on this computer.\nPlease check this item when "
         L"installing Matlab %s.",
         L"本机上未找到Matlab Compiler组件\n请安装Matlab%s时勾选该组件"},
        {"MATLAB needs an administrator", MatlabNeedsAdministratorText,
         L"Please open this program with administrator\nright to first-time change Matlab running "
         L"environment.",
         L"首次切换设置Matlab运行环境，请用管理员权限运行此程序"},
        {"MATLAB server failed", MatlabServerFailedText,
         L"Failed in setting Matlab server running environment.", L"设置Matlab服务运行环境失败"},
        {"MATLAB static link with VS2019", MatlabStaticLinkWithVs2019Question,
         L"Static linking Mablat using VS2019 may cause \"incompatible with C99 (ISO) language "
         L"standard\" warning when converting Matlab code to C++ in Visual Studio. Please install "
         L"lower version of Visual Studio (2010~2017) if this warning occurs. Whether uninstalling "
         L"VS2019 or not doesn't matter. Continue starting FLUENT process or not? ",
         L"使用VS2019静态调用Matlab，在Visual "
         L"Studio中将Matlab代码转为C++时可能会导致\"incompatible with C99 (ISO) language "
         L"standard\"的警告。如出现该警告，请安装较低版本的Visual studio "
         L"(2010~2017)。卸不卸载VS2019均可。是否继续启动FLUENT进程？"},
        {"library patch needs an administrator", LibraryPatchNeedsAdministratorText,
         L"Please open this program with administrator\nright to first-time change compatible "
         L"Fluent/Matlab environment.",
         L"首次切换设置Fluent/Matlab兼容运行环境，请用管理员权限运行此程序"},
        {"MATLAB library occupied", MatlabLibraryOccupiedText,
         L"Some File is occupied. Please retry after closing all Matlab programs or restarting "
         L"Windows.",
         L"某些文件被占用，请关闭所有Matlab程序或重启Windows后重试。"},
        {"Fluent library occupied", FluentLibraryOccupiedText,
         L"Some File is occupied. Please retry after closing all Fluent programs or restarting "
         L"Windows.",
         L"某些文件被占用，请关闭所有Fluent程序或重启Windows后重试。"},
        {"Fortran compiler missing, VS2010 64", FortranCompilerMissing[0].bits64,
         L"Intel Fortran 2011~2016 64bit compiler not found for VS2010.",
         L"配合VS2010需要64位Intel Fortran 2011~2016编译器，但没有找到。"},
        {"Fortran compiler missing, VS2010 32", FortranCompilerMissing[0].bits32,
         L"Intel Fortran 2011~2016 32bit compiler not found for VS2010.",
         L"配合VS2010需要32位Intel Fortran 2011~2016编译器，但没有找到。"},
        {"Fortran compiler missing, VS2012 64", FortranCompilerMissing[1].bits64,
         L"Intel Fortran 2013~2017 64bit compiler not found for VS2012.",
         L"配合VS2012需要64位Intel Fortran 2013~2017编译器，但没有找到。"},
        {"Fortran compiler missing, VS2012 32", FortranCompilerMissing[1].bits32,
         L"Intel Fortran 2013~2017 32bit compiler not found for VS2012.",
         L"配合VS2012需要32位Intel Fortran 2013~2017编译器，但没有找到。"},
        {"Fortran compiler missing, VS2013 64", FortranCompilerMissing[2].bits64,
         L"Intel Fortran 2013SP1 update1~2019 64bit compiler not found for VS2013.",
         L"配合VS2013需要64位Intel Fortran 2013SP1 update1~2019编译器，但没有找到。"},
        {"Fortran compiler missing, VS2013 32", FortranCompilerMissing[2].bits32,
         L"Intel Fortran 2013SP1 update1~2019 32bit compiler not found for VS2013.",
         L"配合VS2013需要32位Intel Fortran 2013SP1 update1~2019编译器，但没有找到。"},
        {"Fortran compiler missing, VS2015 64", FortranCompilerMissing[3].bits64,
         L"Intel Fortran 2015 update4~2019 64bit compiler not found for VS2015.",
         L"配合VS2015需要64位Intel Fortran 2015 update4~2019编译器，但没有找到。"},
        {"Fortran compiler missing, VS2015 32", FortranCompilerMissing[3].bits32,
         L"Intel Fortran 2015 update4~2019 32bit compiler not found for VS2015.",
         L"配合VS2015需要32位Intel Fortran 2015 update4~2019编译器，但没有找到。"},
        {"Fortran compiler missing, VS2017 64", FortranCompilerMissing[4].bits64,
         L"Intel Fortran 2017 update4~2020 64bit compiler not found for VS2017.",
         L"配合VS2017需要64位Intel Fortran 2017 update4~2020编译器，但没有找到。"},
        {"Fortran compiler missing, VS2017 32", FortranCompilerMissing[4].bits32,
         L"Intel Fortran 2017 update4~2020 32bit compiler not found for VS2017.",
         L"配合VS2017需要32位Intel Fortran 2017 update4~2020编译器，但没有找到。"},
        {"Fortran compiler missing, VS2019 64", FortranCompilerMissing[5].bits64,
         L"Intel Fortran 2019 update4~2020 64bit compiler not found for VS2019.",
         L"配合VS2019需要64位Intel Fortran 2019 update4~2020编译器，但没有找到。"},
        {"Fortran compiler missing, VS2019 32", FortranCompilerMissing[5].bits32,
         L"Intel Fortran 2019 update4~2020 32bit compiler not found for VS2019.",
         L"配合VS2019需要32位Intel Fortran 2019 update4~2020编译器，但没有找到。"},
        {"Fortran template not integrated", FortranTemplateNotIntegratedText,
         L"Fortran template is not integrated in Visual Studio %s.\nPlease re-install Intel "
         L"Fortran and check the integration option.",
         L"Fortran模板没有集成到Visual Studio %s中\n请重新安装Intel Fortran并勾选集成到Visual "
         L"Studio选项。"},
        {"Browse: not exactly one release", BrowseNotExactlyOneText,
         L"Invalid Fluent installing folder because no Fluent or multiple Fluent versions found in "
         L"\"%s\"\nTypical Fluent installing folder should be like \"C:\\Program Files\\ANSYS "
         L"Inc\\v182\\fluent\".",
         L"无效Fluent安装目录，因\"%"
         L"s\"中未发现任何Fluent版本或发现多于一个版本\n典型Fluent安装目录应该类似于\"C:\\Program "
         L"Files\\ANSYS Inc\\v182\\fluent\""},
        {"Browse: unsupported version", BrowseUnsupportedVersionText,
         L"Fluent %s is not supported in current Quorvex.", L"当前Quorvex版本不支持Fluent %s"},
        {"Visual Studio year unsupported", launch_texts::VisualStudioUnsupported,
         L"Only Visual Studio 2010~2019 supported in this version.",
         L"本版本只支持Visual Studio 2010~2019"},
        {"Quorvex extension missing", launch_texts::ExtensionMissing,
         L"\"Quorvex\" extension menu not installed for Visual Studio %s. Please assure that "
         L"Visual Studio has been installed before installing this software. If Visual Studio "
         L"exists, you can run this software installer again to fix this issue.",
         L"尚未给Visual Studio %s安装\"Quorvex\"扩展菜单，请在安装本软件前先保证已经安装好Visual "
         L"Studio，如Visual Studio已存在，可以再次运行本软件安装包修复此问题。"},
        {"Browse picker title", main_dialog_texts::BrowseTitle,
         L"Select Fluent installation folder...", L"选择Fluent安装目录..."},
    };
    for (const InterfaceLanguage language :
         {InterfaceLanguage::English, InterfaceLanguage::Chinese}) {
        const LanguageScope scope(language);
        const bool english = language == InterfaceLanguage::English;
        for (const Expected& m : messages)
            EXPECT_EQ(std::wstring(Pick(m.shown)), english ? m.english : m.chinese) << m.name;
        EXPECT_EQ(std::wstring(Pick(captions::Error)), english ? L"Error" : L"错误");
        EXPECT_EQ(std::wstring(Pick(captions::Warning)), english ? L"Warning" : L"警告");
        // English in both languages.
        EXPECT_EQ(std::wstring(Pick(launch_texts::RemoteProcessUnreadable)),
                  L"Can't open process when getting remote environment variable.");
        EXPECT_EQ(std::wstring(Pick(launch_texts::RemoteProcessCaption)), L"Error");
    }
}

// The Visual Studio component messages name the year; each year reads as 2010's with its own
// year in place.
TEST(MessageTexts, VisualStudioComponentMessagesNameEachYear) {
    const std::vector<Expected> messages{
        {"Visual C# missing", launch_texts::CSharpMissing,
         L"Please install Visual C# for Visual Studio 2010 first.",
         L"请先为Visual Studio 2010安装Visual C#"},
        {"64-bit compiler missing", launch_texts::Compiler64Missing,
         L"Please install 64 bit C++ compiler for Visual Studio 2010 first.",
         L"请先为Visual Studio 2010安装64位C++编译器"},
        {"32-bit compiler missing", launch_texts::Compiler32Missing,
         L"Please install 32 bit C++ compiler for Visual Studio 2010 first.",
         L"请先为Visual Studio 2010安装32位C++编译器"},
        {"MFC missing", launch_texts::MfcMissing,
         L"Please install MFC components first for VS2010. Reference to this software tutorial for "
         L"details.",
         L"请先为VS2010安装MFC组件，具体可参考本软件教程手册"},
    };
    for (const InterfaceLanguage language :
         {InterfaceLanguage::English, InterfaceLanguage::Chinese}) {
        const LanguageScope scope(language);
        const bool english = language == InterfaceLanguage::English;
        for (const wchar_t* year : {L"2010", L"2012", L"2013", L"2015", L"2017", L"2019"})
            for (const Expected& m : messages)
                EXPECT_EQ(FormatText(Pick(m.shown), {year}),
                          ReplaceAll(english ? m.english : m.chinese, L"2010", year))
                    << m.name << " " << english;
    }
}

// The Fortran compiler messages are found by the Visual Studio year.
TEST(MessageTexts, FortranCompilerMessagesBelongToTheirYears) {
    const std::vector<const wchar_t*> years{L"2010", L"2012", L"2013", L"2015", L"2017", L"2019"};
    ASSERT_EQ(FortranCompilerMissing.size(), years.size());
    for (std::size_t i = 0; i < years.size(); ++i) {
        EXPECT_STREQ(FortranCompilerMissing[i].visualStudioYear, years[i]);
        const std::wstring vs = std::wstring(L"VS") + years[i];
        for (const TextPair* pair :
             {&FortranCompilerMissing[i].bits64, &FortranCompilerMissing[i].bits32}) {
            EXPECT_NE(std::wstring(pair->english).find(vs), std::wstring::npos) << i;
            EXPECT_NE(std::wstring(pair->chinese).find(vs), std::wstring::npos) << i;
        }
    }
}

} // namespace
} // namespace qv
