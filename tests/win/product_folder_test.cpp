#include "launch/requirements/product_folder.h"
#include "launch/requirements/product_folder_win.h"
#include "tests/support/test_support_win.h"
#include "texts/language.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// The hub library this Windows needs for 19.x releases from 19.2 on.
const wchar_t* HubFor19() {
    return test::RunsInWin64Prefix() ? L"HubQ5.dll" : L"HubX86.dll";
}

// A product folder complete for Visual Studio 2010 and Fluent 19.2 on this Windows.
void MakeProductFolder(const test::TempFolder& product) {
    EXPECT_TRUE(test::WriteFileBytes(product / L"Quorvex.dll", "x") &&
                test::WriteFileBytes(product / HubFor19(), "x") &&
                test::WriteFileBytes(product / L"include\\19.2\\udf.h", "x") &&
                test::MakeFolders(product / L"addon"))
        << product.Path();
}

class ProductFolderWin : public ::testing::Test {
  protected:
    void SetUp() override { SetInterfaceLanguage(InterfaceLanguage::English); }
    void TearDown() override { SetInterfaceLanguage(language_); }

    test::ScriptedPrompts prompts;
    test::TempFolder product;
    HWND owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

TEST_F(ProductFolderWin, CompleteFolderPassesSilently) {
    MakeProductFolder(product);
    EXPECT_TRUE(VerifyProductFolder(product.Path(), L"2010", L"19.2", owner));
    EXPECT_TRUE(VerifyProductFolder(product.Path(), L"2019", L"19.2", owner));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProductFolderWin, FirstMissingItemIsNamed) {
    // What is taken out of a complete folder, and the item the message must name ("" for none).
    struct Case {
        std::wstring removed;
        const wchar_t* year;
        const wchar_t* version;
        std::wstring named;
    };
    const std::vector<Case> cases{
        {L"Quorvex.dll", L"2010", L"19.2", L"Quorvex.dll"},
        {L"Quorvex.dll", L"2015", L"19.2", L""}, // needed for 2010 only
        {HubFor19(), L"2010", L"19.2", HubFor19()},
        {L"", L"2015", L"19.3", L"include\\19.3\\udf.h"}, // only 19.2's header is there
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        MakeProductFolder(folder);
        if (!c.removed.empty()) {
            ASSERT_TRUE(::DeleteFileW((folder / c.removed).c_str())) << c.removed;
        }
        prompts.messages.clear();
        const bool ok = VerifyProductFolder(folder.Path(), c.year, c.version, owner);
        if (c.named.empty()) {
            EXPECT_TRUE(ok) << c.removed;
            EXPECT_TRUE(prompts.messages.empty()) << c.removed;
            continue;
        }
        EXPECT_FALSE(ok) << c.named;
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text,
                  L"Can't find \"" + (folder / c.named) +
                      L"\". \nThe Quorvex directory is wrong or corrupted.");
        EXPECT_EQ(prompts.messages[0].caption, L"Error");
        EXPECT_EQ(prompts.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_EQ(prompts.messages[0].owner, owner);
    }
}

TEST_F(ProductFolderWin, OnlyTheFirstFailureIsShown) {
    // Nothing at all: Visual Studio 2010's library is named, the hub library is not checked.
    EXPECT_FALSE(VerifyProductFolder(product.Path(), L"2010", L"19.2", owner));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find(product / L"Quorvex.dll"), std::wstring::npos);
}

TEST_F(ProductFolderWin, HeaderAndAddonMustHaveTheirKind) {
    MakeProductFolder(product);
    ASSERT_TRUE(::RemoveDirectoryW((product / L"addon").c_str()));
    ASSERT_TRUE(test::WriteFileBytes(product / L"addon", "x"));
    EXPECT_FALSE(VerifyProductFolder(product.Path(), L"2019", L"19.2", owner));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find(L"\"" + (product / L"addon") + L"\""),
              std::wstring::npos);

    ASSERT_TRUE(test::MakeFolders(product / L"include\\19.5\\udf.h"));
    EXPECT_FALSE(VerifyProductFolder(product.Path(), L"2019", L"19.5", owner));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_NE(prompts.messages[1].text.find(product / L"include\\19.5\\udf.h"), std::wstring::npos);
}

TEST_F(ProductFolderWin, ChineseMessageAndCaption) {
    SetInterfaceLanguage(InterfaceLanguage::Chinese);
    EXPECT_FALSE(VerifyProductFolder(product.Path(), L"2010", L"19.2", owner));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              L"无法找到\"" + (product / L"Quorvex.dll") + L"\"\nQuorvex目录错误或损坏");
    EXPECT_EQ(prompts.messages[0].caption, L"错误");
}

} // namespace
} // namespace qv
