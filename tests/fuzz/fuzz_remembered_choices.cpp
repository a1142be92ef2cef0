// Choices read back from the settings: the interface language word and the remembered MATLAB
// release and Visual Studio version, matched against what discovery found.
#include "app/language_decision.h"
#include "base/text.h"
#include "discovery/matlab.h"
#include "discovery/visual_studio.h"
#include "fuzz_input.h"

#include <algorithm>

namespace {

void CheckLanguage(const std::wstring& stored, unsigned short systemLanguage) {
    const qv::LanguageDecision decision = qv::DecideInterfaceLanguage(stored, systemLanguage);
    if (!decision.valueToStore) {
        QV_FUZZ_CHECK(qv::EqualsNoCase(stored, L"true") || qv::EqualsNoCase(stored, L"false"));
        return;
    }
    // What is stored decides the same way at the next start, whatever the system says then.
    const qv::LanguageDecision next =
        qv::DecideInterfaceLanguage(*decision.valueToStore, systemLanguage ^ 0x04);
    QV_FUZZ_CHECK(next.language == decision.language && !next.valueToStore);
}

// The preselected index is in the list (0 for an empty one) and names the remembered text;
// every entry's own text selects that entry or an equal one before it.
template <typename Installation, typename Index, typename Key>
void CheckRememberedIndex(const std::vector<Installation>& found, const std::wstring& remembered,
                          Index rememberedIndex, Key key) {
    const int index = rememberedIndex(found, remembered);
    QV_FUZZ_CHECK(index >= 0 && index < static_cast<int>(std::max<std::size_t>(found.size(), 1)));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const int own = rememberedIndex(found, key(found[i]));
        QV_FUZZ_CHECK(own <= static_cast<int>(i));
        QV_FUZZ_CHECK(key(found[i]).empty() || qv::EqualsNoCase(key(found[own]), key(found[i])));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::uint8_t low = input.Byte();
    const auto systemLanguage = static_cast<unsigned short>(low | input.Byte() << 8);
    const std::wstring remembered = input.Text();
    std::vector<qv::MatlabInstallation> matlab;
    std::vector<qv::VisualStudioInstallation> visualStudio;
    for (const std::wstring& text : input.Texts()) {
        matlab.push_back({L"C:\\MATLAB", text});
        visualStudio.push_back({L"2019", text});
    }
    CheckLanguage(remembered, systemLanguage);
    CheckRememberedIndex(matlab, remembered, qv::RememberedMatlabIndex,
                         [](const qv::MatlabInstallation& m) { return m.release; });
    CheckRememberedIndex(visualStudio, remembered, qv::RememberedVisualStudioIndex,
                         [](const qv::VisualStudioInstallation& v) { return v.number; });
    return 0;
}
