// What the Tutorial command opens and says, for every result of the shell, in both languages.
#include "ui/tutorial.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

constexpr auto English = InterfaceLanguage::English;
constexpr auto Chinese = InterfaceLanguage::Chinese;

TEST(Tutorial, DocumentOfTheLanguageKeepsItsQuotes) {
    EXPECT_EQ(TutorialDocument(L"C:\\Quorvex", English), L"\"C:\\Quorvex\\Tutorial_en.pdf\"");
    EXPECT_EQ(TutorialDocument(L"D:\\产品 %s", Chinese), L"\"D:\\产品 %s\\Tutorial_cn.pdf\"");
}

TEST(Tutorial, EachShellFailureHasItsMessageJoinedWithoutBlanks) {
    const std::wstring en = L"\"C:\\Q\\Tutorial_en.pdf\"";
    const std::wstring cn = L"\"C:\\Q\\Tutorial_cn.pdf\"";
    struct Case {
        std::intptr_t result;
        std::wstring english, englishCaption, chinese, chineseCaption;
    };
    const std::vector<Case> cases = {
        {0, L"The operating system is out of memory or resources.", L"Error",
         L"操作系统内存资源不足", L"错误"},
        {2, L"Can't find " + en + L".", L"Error", L"无法找到" + cn, L"错误"},
        {5, L"The operating system denied access to " + en + L".", L"Error",
         L"操作系统无权打开" + cn, L"错误"},
        {30,
         L"The DDE transaction could not be completed because other DDE transactions were being "
         L"processed.",
         L"Error", L"由于其他DDE通讯正在进行产生冲突，当前操作无法完成", L"错误"},
        {29, L"The DDE transaction failed.", L"Error", L"DDE通讯失败", L"错误"},
        {28, L"The DDE transaction could not be completed because the request timed out.", L"Error",
         L"由于请求时间超时，当前DDE通讯失败", L"错误"},
        {26, L"A sharing violation occurred.", L"Error", L"共享冲突错误", L"错误"},
        {3, L"Unknown error in opening" + en + L".", L"Error", L"打开" + cn + L"时遇到未知错误",
         L"Quorvex"},
        {32, L"Unknown error in opening" + en + L".", L"Error", L"打开" + cn + L"时遇到未知错误",
         L"Quorvex"},
    };
    for (const Case& c : cases) {
        const auto english = TutorialFailureMessage(c.result, en, English);
        const auto chinese = TutorialFailureMessage(c.result, cn, Chinese);
        ASSERT_TRUE(english && chinese) << c.result;
        EXPECT_EQ(english->text, c.english) << c.result;
        EXPECT_EQ(english->caption, c.englishCaption) << c.result;
        EXPECT_EQ(chinese->text, c.chinese) << c.result;
        EXPECT_EQ(chinese->caption, c.chineseCaption) << c.result;
    }
}

// Success says nothing; no association offers the Open With chooser instead of a message.
TEST(Tutorial, SuccessAndNoAssociationHaveNoMessage) {
    for (std::intptr_t result : {31, 33, 42})
        EXPECT_FALSE(TutorialFailureMessage(result, L"\"x\"", English)) << result;
    EXPECT_TRUE(TutorialFailureMessage(30, L"\"x\"", English)); // the control beside them
}

TEST(Tutorial, MissingVariableIsNamedInQuotes) {
    const TutorialMessage english = TutorialVariableMissingMessage(L"QUORVEX_PATH", English);
    EXPECT_EQ(english.text,
              L"Can't find \"QUORVEX_PATH\" environment variable. Please set it first.");
    EXPECT_EQ(english.caption, L"Error");
    const TutorialMessage chinese = TutorialVariableMissingMessage(L"QUORVEX_PATH", Chinese);
    EXPECT_EQ(chinese.text, L"无法找到\"QUORVEX_PATH\"环境变量，请先设置它");
    EXPECT_EQ(chinese.caption, L"错误");
}

} // namespace
} // namespace qv
