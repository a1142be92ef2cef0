// The remembered Fluent folders (one text from the settings) and every candidate folder
// discovery builds from them and from the environment.
#include "base/text.h"
#include "discovery/fluent_discovery.h"
#include "discovery/fluent_versions.h"
#include "fuzz_input.h"

#include <algorithm>

namespace {

std::wstring Join(const std::vector<std::wstring>& pieces) {
    std::wstring text;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        text += (i ? L";" : L"") + pieces[i];
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::wstring remembered = input.Text();
    const std::wstring fluentInc = input.Text();
    const std::vector<std::wstring> values = input.Texts();

    // Cutting at ";" loses nothing but the trailing ";".
    const std::vector<std::wstring> pieces = qv::SplitRememberedFluentPaths(remembered);
    QV_FUZZ_CHECK(Join(pieces) == qv::TrimTrailing(remembered, L";"));
    for (const std::wstring& piece : pieces)
        QV_FUZZ_CHECK(piece.find(L';') == std::wstring::npos);

    // Each variable discovery reads gets one of the input's texts ("" when there are none).
    const qv::EnvironmentLookup environment = [&values](const std::wstring& name) {
        if (values.empty()) return std::wstring();
        std::size_t hash = 0;
        for (wchar_t c : name)
            hash = hash * 31 + static_cast<std::size_t>(c);
        return values[hash % values.size()];
    };
    const std::vector<std::wstring> candidates =
        qv::FluentCandidateFolders(remembered, fluentInc, environment);
    // The remembered folders, then FLUENT_INC, then 24 drive folders and 4 variable-based ones
    // per supported version.
    QV_FUZZ_CHECK(candidates.size() == pieces.size() + 1 + qv::FluentVersionTable.size() * 28);
    QV_FUZZ_CHECK(std::equal(pieces.begin(), pieces.end(), candidates.begin()));
    QV_FUZZ_CHECK(candidates[pieces.size()] == fluentInc);
    return 0;
}
