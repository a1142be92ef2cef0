#include "ui/hyperlink_text.h"

#include "base/text.h"
#include "texts/hyperlink_texts.h"

namespace qv {

std::wstring LinkTooltipText(std::wstring_view address, InterfaceLanguage language) {
    constexpr std::wstring_view Mail = L"mailto:";
    constexpr std::wstring_view Web = L"http";
    if (StartsWith(address, Mail))
        return Pick(hyperlink_texts::SendMailTo, language) +
               std::wstring(address.substr(Mail.size()));
    if (StartsWith(address, Web))
        return Pick(hyperlink_texts::Visit, language) + std::wstring(address.substr(Web.size()));
    return std::wstring(address);
}

BrowserCommand ComposeBrowserCommand(std::wstring_view associationCommand,
                                     std::wstring_view address) {
    const std::size_t placeholder = associationCommand.find(L"\"%1\"");
    if (placeholder == std::wstring_view::npos) return {};
    std::wstring commandLine(associationCommand.substr(0, placeholder));
    commandLine += L' ';
    commandLine += address;
    if (commandLine.size() > MaxBrowserCommandLength)
        return {BrowserCommand::Outcome::TooLong, L""};
    return {BrowserCommand::Outcome::Composed, std::move(commandLine)};
}

} // namespace qv
