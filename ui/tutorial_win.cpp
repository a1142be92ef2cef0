#include "ui/tutorial_win.h"

#include "base/com_win.h"
#include "base/environment_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "ui/tutorial.h"

#include <shellapi.h>

#include <cstdint>
#include <string>

namespace qv {

namespace {

constexpr wchar_t ProductFolderVariable[] = L"QUORVEX_PATH";

void Show(HWND owner, const TutorialMessage& message) {
    ShowMessage(owner, message.key, message.text, *message.captionTexts, MB_OK | MB_ICONERROR);
}

} // namespace

void OpenTutorial(HWND owner) {
    const InterfaceLanguage language = CurrentInterfaceLanguage();
    // An empty value counts as unset, as its length of 0 tells the system call.
    const std::wstring folder = ReadEnvironmentVariable(ProductFolderVariable);
    if (folder.empty()) {
        Show(owner, TutorialVariableMissingMessage(ProductFolderVariable, language));
        return;
    }
    const std::wstring document = TutorialDocument(folder, language);
    ComApartment apartment; // the shell may hand the document to COM
    const auto result = reinterpret_cast<std::intptr_t>(
        shell::ShellExecuteW(owner, L"open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result == SE_ERR_NOASSOC) {
        const std::wstring parameters = FormatText(L"shell32, OpenAs_RunDLL %s", {document});
        const std::wstring tool = SystemFolderFile(L"rundll32.exe");
        shell::ShellExecuteW(owner, L"open", tool.c_str(), parameters.c_str(), nullptr,
                             SW_SHOWNORMAL);
        return;
    }
    if (const auto failure = TutorialFailureMessage(result, document, language))
        Show(owner, *failure);
}

} // namespace qv
