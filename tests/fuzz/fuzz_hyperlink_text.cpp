// What a hyperlink makes of its address and of the web-page program's command line read from
// the registry.
#include "fuzz_input.h"
#include "ui/hyperlink_text.h"

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const auto language =
        input.Byte() % 2 ? qv::InterfaceLanguage::Chinese : qv::InterfaceLanguage::English;
    const std::wstring address = input.Text();
    const std::wstring command = input.Text();

    const std::wstring tooltip = qv::LinkTooltipText(address, language);
    // The address stays readable at the tooltip's end.
    const std::size_t cut = address.rfind(L"mailto:", 0) == 0 ? 7
                            : address.rfind(L"http", 0) == 0  ? 4
                                                              : 0;
    QV_FUZZ_CHECK(EndsWith(tooltip, address.substr(cut)));

    const qv::BrowserCommand composed = qv::ComposeBrowserCommand(command, address);
    const std::size_t placeholder = command.find(L"\"%1\"");
    switch (composed.outcome) {
    case qv::BrowserCommand::Outcome::Composed:
        QV_FUZZ_CHECK(composed.commandLine.size() <= qv::MaxBrowserCommandLength);
        QV_FUZZ_CHECK(composed.commandLine == command.substr(0, placeholder) + L" " + address);
        break;
    case qv::BrowserCommand::Outcome::TooLong:
        QV_FUZZ_CHECK(placeholder != std::wstring::npos && composed.commandLine.empty());
        QV_FUZZ_CHECK(placeholder + 1 + address.size() > qv::MaxBrowserCommandLength);
        break;
    case qv::BrowserCommand::Outcome::NoPlaceForAddress:
        QV_FUZZ_CHECK(placeholder == std::wstring::npos && composed.commandLine.empty());
        break;
    }
    return 0;
}
