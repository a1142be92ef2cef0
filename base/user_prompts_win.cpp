#include "base/user_prompts_win.h"

#include "base/attention_win.h"
#include "base/folder_picker_win.h"
#include "base/launch_log_win.h"
#include "base/text.h"

#include <atomic>

namespace qv {

namespace {

// Never destroyed, as the prompts installed: the update check's thread, which nobody waits for,
// may put its question while the process ends and its static objects go.
SystemPrompts& TheSystemPrompts() {
    static SystemPrompts* const prompts = new SystemPrompts;
    return *prompts;
}
// Read from whichever thread puts a question to the user.
std::atomic<UserPrompts*> installed{nullptr};
// Set by the close signal for the question it closes, which is the next to return.
std::atomic<bool> closedBySignal{false};

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

UserPrompts& Answering() {
    UserPrompts* prompts = installed.load();
    return prompts ? *prompts : TheSystemPrompts();
}

std::wstring Widened(std::string_view key) {
    return std::wstring(key.begin(), key.end());
}

// The caption's English form for the log: the launcher's captions are known in both languages.
std::wstring EnglishCaption(std::wstring_view caption) {
    for (const TextPair* pair : {&captions::Error, &captions::Warning})
        if (caption == pair->chinese) return pair->english;
    return std::wstring(caption);
}

// An error icon, or the caption "Error" without one, is an error; a warning icon or a question
// is a warning.
LogLevel LevelOf(UINT style, std::wstring_view englishCaption) {
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR:
        return LogLevel::Error;
    case MB_ICONWARNING:
    case MB_ICONQUESTION:
        return LogLevel::Warning;
    default:
        return englishCaption == captions::Error.english ? LogLevel::Error : LogLevel::Info;
    }
}

// Who gave the answer just logged, when it was not the user.
const wchar_t* Answerer() {
    return closedBySignal.exchange(false) ? L", given by the add-on's close signal, not the user"
                                          : L"";
}

int ShowLogged(HWND owner, std::string_view key, std::wstring_view text, std::wstring_view caption,
               std::wstring_view englishCaption, UINT style) {
    LogShownMessage(key, englishCaption, text, LevelOf(style, englishCaption));
    closedBySignal.store(false); // meant for a question shown before, which has gone
    DrawAttentionIfBehind(owner);
    const int answer = Answering().ShowMessage(owner, text, caption, style);
    Log(L"answer to " + Widened(key) + L": " + AnswerName(answer) + Answerer());
    return answer;
}

// Whatever answers, every message and question the user met, and the answer, go to the log.
class LoggedPrompts : public UserPrompts {
  public:
    // A message without a key of its own: logged all the same, under a key that says so.
    int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                    UINT style) override {
        return ShowLogged(owner, "unkeyed", text, caption, EnglishCaption(caption), style);
    }
    FolderChoice ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) override {
        closedBySignal.store(false);
        FolderChoice choice = Answering().ChooseFolder(owner, title, picker);
        switch (choice.outcome) {
        case FolderChoice::Outcome::Picked:
            Log(L"folder picked: " + choice.path);
            break;
        case FolderChoice::Outcome::NoPath:
            Log(LogLevel::Warning, L"folder picker: the picked item has no file-system path");
            break;
        case FolderChoice::Outcome::Cancelled:
            Log(std::wstring(L"folder picker cancelled") + Answerer());
            break;
        }
        return choice;
    }
    INT_PTR ShowWorkbenchTip(HWND owner) override {
        closedBySignal.store(false);
        const INT_PTR answer = Answering().ShowWorkbenchTip(owner);
        Log(std::wstring(L"Workbench tip closed with ") + AnswerName(static_cast<int>(answer)) +
            Answerer());
        return answer;
    }
};

LoggedPrompts& TheLoggedPrompts() {
    static LoggedPrompts* const prompts = new LoggedPrompts;
    return *prompts;
}

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
    return TheLoggedPrompts();
}

void SetPrompts(UserPrompts* prompts) {
    installed.store(prompts);
}

void NoteQuestionClosedBySignal() {
    closedBySignal.store(true);
}

int ShowMessage(HWND owner, const Message& message, const TextPair& caption, UINT style,
                std::initializer_list<std::wstring_view> values) {
    const std::wstring text =
        values.size() == 0 ? std::wstring(Pick(message)) : FormatText(Pick(message), values);
    return ShowMessage(owner, message.key, text, caption, style);
}

int ShowMessage(HWND owner, std::string_view key, std::wstring_view text, const TextPair& caption,
                UINT style) {
    return ShowLogged(owner, key, text, Pick(caption), caption.english, style);
}

} // namespace qv
