#include "ui/hyperlink_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(HyperlinkText, TooltipNamesTheAddressAfterItsPrefix) {
    struct Case {
        const wchar_t* address;
        InterfaceLanguage language;
        const wchar_t* tooltip;
    };
    const std::vector<Case> cases = {
        {L"mailto:support@quorvex.test", InterfaceLanguage::English,
         L"Send email to support@quorvex.test"},
        {L"mailto:support@quorvex.test", InterfaceLanguage::Chinese,
         L"发送email至support@quorvex.test"},
        {L"https://www.quorvex.test", InterfaceLanguage::English,
         L"Visit https://www.quorvex.test"},
        {L"https://www.quorvex.test", InterfaceLanguage::Chinese, L"访问https://www.quorvex.test"},
        {L"http://127.0.0.1:8080/download_en.html", InterfaceLanguage::English,
         L"Visit http://127.0.0.1:8080/download_en.html"},
        {L"ftp://files.example", InterfaceLanguage::English, L"ftp://files.example"},
        {L"Mailto:x@y", InterfaceLanguage::English, L"Mailto:x@y"},
        {L"see http://x", InterfaceLanguage::Chinese, L"see http://x"},
        {L"mailto:", InterfaceLanguage::English, L"Send email to "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinkTooltipText(c.address, c.language), c.tooltip) << c.address;
}

TEST(HyperlinkText, BrowserCommandPutsTheAddressWhereTheQuotedPlaceholderStood) {
    using Outcome = BrowserCommand::Outcome;
    const std::wstring address = L"https://www.quorvex.test";
    struct Case {
        std::wstring command;
        Outcome outcome;
        std::wstring commandLine;
    };
    const std::vector<Case> cases = {
        {L"\"C:\\Web\\browser.exe\" \"%1\"", Outcome::Composed,
         L"\"C:\\Web\\browser.exe\"  " + address},
        {L"\"C:\\Web\\browser.exe\" -nohome \"%1\" -after", Outcome::Composed,
         L"\"C:\\Web\\browser.exe\" -nohome  " + address},
        {L"browser.exe \"%1\" \"%1\"", Outcome::Composed, L"browser.exe  " + address},
        {L"\"%1\"", Outcome::Composed, L" " + address},
        {L"\"C:\\Web\\browser.exe\" %1", Outcome::NoPlaceForAddress, L""},
        {L"\"C:\\Web\\browser.exe\"", Outcome::NoPlaceForAddress, L""},
        {L"", Outcome::NoPlaceForAddress, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const BrowserCommand composed = ComposeBrowserCommand(c.command, address);
        EXPECT_EQ(composed.outcome, c.outcome);
        EXPECT_EQ(composed.commandLine, c.commandLine);
    }
}

TEST(HyperlinkText, BrowserCommandLongerThanItsBoundIsNotComposed) {
    const std::wstring command = L"b.exe \"%1\"";
    const std::wstring fits(MaxBrowserCommandLength - 7, L'a'); // "b.exe " + " " + address
    const BrowserCommand longest = ComposeBrowserCommand(command, fits);
    EXPECT_EQ(longest.outcome, BrowserCommand::Outcome::Composed);
    EXPECT_EQ(longest.commandLine.size(), MaxBrowserCommandLength);
    const BrowserCommand tooLong = ComposeBrowserCommand(command, fits + L"a");
    EXPECT_EQ(tooLong.outcome, BrowserCommand::Outcome::TooLong);
    EXPECT_EQ(tooLong.commandLine, L"");
    // A long program path counts as much as a long address.
    const BrowserCommand longProgram =
        ComposeBrowserCommand(std::wstring(600, L'p') + L" \"%1\"", L"https://x");
    EXPECT_EQ(longProgram.outcome, BrowserCommand::Outcome::TooLong);
}

} // namespace
} // namespace qv
