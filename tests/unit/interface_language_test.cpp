#include "app/language_decision.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

TEST(InterfaceLanguage, StoredWordWinsOtherwiseTheSystemLanguageDecidesAndIsStored) {
    constexpr auto English = InterfaceLanguage::English;
    constexpr auto Chinese = InterfaceLanguage::Chinese;
    struct Case {
        const wchar_t* stored;
        unsigned short langId;
        InterfaceLanguage language;
        const wchar_t* store;
    };
    const std::vector<Case> cases = {
        {L"FALSE", 0x0409, Chinese, nullptr}, {L"True", 0x0804, English, nullptr},
        {L"false", 0x0409, Chinese, nullptr}, {L"yes", 0x0404, Chinese, L"false"}, // Taiwan
        {L"", 0x0404, Chinese, L"false"},     {L"", 0x0804, Chinese, L"false"},    // mainland
        {L"", 0x0C04, Chinese, L"false"},                                          // Hong Kong
        {L"", 0x1004, Chinese, L"false"},                                          // Singapore
        {L"", 0x1404, Chinese, L"false"},                                          // Macao
        {L"", 0x0411, English, L"true"},                                           // Japanese
        {L"", 0x0409, English, L"true"},      {L"truex", 0x0409, English, L"true"},
    };
    for (const Case& c : cases) {
        const LanguageDecision decision = DecideInterfaceLanguage(c.stored, c.langId);
        EXPECT_EQ(decision.language, c.language) << c.stored << " " << c.langId;
        EXPECT_EQ(decision.valueToStore.has_value(), c.store != nullptr)
            << c.stored << " " << c.langId;
        if (c.store) {
            EXPECT_EQ(*decision.valueToStore, c.store);
        }
    }
}

TEST(InterfaceLanguage, PickFollowsTheProcessLanguage) {
    const TextPair pair{L"Error", L"错误"};
    SetInterfaceLanguage(InterfaceLanguage::Chinese);
    EXPECT_STREQ(Pick(pair), L"错误");
    EXPECT_FALSE(IsEnglish());
    SetInterfaceLanguage(InterfaceLanguage::English);
    EXPECT_STREQ(Pick(pair), L"Error");
}

} // namespace
} // namespace qv
