#include "base/user_prompts_win.h"

#include "base/folder_picker_win.h"
#include "base/launch_log_win.h"

#include <atomic>

namespace qv {

namespace {

SystemPrompts systemPrompts;
// Read from whichever thread puts a question to the user.
std::atomic<UserPrompts*> installed{nullptr};

const wchar_t* AnswerName(int answer) {
    switch (answer) {
    case IDOK:
        return L"OK";
    case IDCANCEL:
        return L"Cancel";
    case IDYES:
        return L"Yes";
    case IDNO:
        return L"No";
    default:
        return L"closed";
    }
}

// Whatever answers, every message and question the user met, and the answer, go to the log.
class LoggedPrompts : public UserPrompts {
  public:
    int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                    UINT style) override {
        Log(L"shown (" + std::wstring(caption) + L"): " + std::wstring(text));
        const int answer = Answering().ShowMessage(owner, text, caption, style);
        Log(std::wstring(L"answered: ") + AnswerName(answer));
        return answer;
    }
    FolderChoice ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) override {
        FolderChoice choice = Answering().ChooseFolder(owner, title, picker);
        Log(choice.outcome == FolderChoice::Outcome::Picked ? L"folder picked: " + choice.path
                                                            : std::wstring(L"no folder picked"));
        return choice;
    }
    INT_PTR ShowWorkbenchTip(HWND owner) override {
        const INT_PTR answer = Answering().ShowWorkbenchTip(owner);
        Log(std::wstring(L"Workbench tip: ") + AnswerName(static_cast<int>(answer)));
        return answer;
    }

  private:
    static UserPrompts& Answering() {
        UserPrompts* prompts = installed.load();
        return prompts ? *prompts : systemPrompts;
    }
};

LoggedPrompts loggedPrompts;

} // namespace

int SystemPrompts::ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                               UINT style) {
    return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), style);
}

FolderChoice SystemPrompts::ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) {
    if (picker == FolderPicker::Modern && IsVistaOrLater()) return PickFolderModern(owner);
    return PickFolderLegacy(owner, title);
}

UserPrompts& Prompts() {
    return loggedPrompts;
}

void SetPrompts(UserPrompts* prompts) {
    installed.store(prompts);
}

} // namespace qv
