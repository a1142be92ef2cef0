#include "launch/supervision/fluent_process.h"

#include "base/text.h"

#include <algorithm>

namespace qv {

namespace {

constexpr const wchar_t* FluentWindowClasses[] = {
    L"AfxFrameOrView",     L"QWidget",
    L"Qt5QWindowIcon",     L"Qt51516QWindowIcon",
    L"Qt51517QWindowIcon", L"Qt51518QWindowIcon",
};

bool HasFrom(std::wstring_view text, std::wstring_view part, std::size_t first) {
    return text.find(part, first) != std::wstring_view::npos;
}

} // namespace

bool IsFluentExecutableName(std::wstring_view name) {
    const std::wstring lower = ToLower(name);
    if (StartsWith(lower, L"fl")) return HasFrom(lower, L"s.exe", 3);
    return StartsWith(lower, L"cx") && HasFrom(lower, L".exe", 3);
}

bool IsFluentWindowClass(std::wstring_view className) {
    return std::any_of(
        std::begin(FluentWindowClasses), std::end(FluentWindowClasses),
        [&](const wchar_t* fluentClass) { return Contains(className, fluentClass); });
}

bool IsFluentWindowTitle(std::wstring_view title) {
    return !title.empty() && Contains(ToLower(title), L"fluent");
}

std::optional<std::uint32_t> ChooseNewFluentProcess(const std::vector<ProcessIdentity>& before,
                                                    const std::vector<ProcessIdentity>& now) {
    std::optional<std::uint32_t> chosen;
    for (const ProcessIdentity& process : now)
        if (std::find(before.begin(), before.end(), process) == before.end()) chosen = process.id;
    return chosen;
}

std::optional<FluentChoice>
ChooseOwnFluentProcess(const std::vector<ProcessIdentity>& before,
                       const std::vector<ProcessIdentity>& now,
                       const std::function<bool(std::uint32_t id)>& descendsFromStart,
                       const std::function<bool()>& ownMayStillCome, bool startFailed) {
    std::vector<std::uint32_t> fresh;
    for (const ProcessIdentity& process : now)
        if (std::find(before.begin(), before.end(), process) == before.end())
            fresh.push_back(process.id);
    if (fresh.empty()) return std::nullopt;
    for (auto id = fresh.rbegin(); id != fresh.rend(); ++id)
        if (descendsFromStart(*id)) return FluentChoice{*id, FluentChoiceRule::Descendant};
    if (startFailed || ownMayStillCome()) return std::nullopt;
    return FluentChoice{fresh.back(), FluentChoiceRule::LastNew};
}

std::wstring ConsoleLoadCommand(std::wstring_view productFolder) {
    return FormatText(L"(open-udf-library \"%s\\addon\")", {productFolder});
}

bool IsFluentConsole(std::wstring_view className, bool multiLine, std::wstring_view parentClass) {
    return multiLine && Contains(className, L"Edit") &&
           (Contains(parentClass, L"Afx:0000") || Contains(parentClass, L"AfxFrameOrView"));
}

} // namespace qv
