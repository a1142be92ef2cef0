// The Tutorial command's texts from the product folder variable and the shell's result: the
// document keeps the folder as it is, and every failure names the document whole.
#include "fuzz_input.h"
#include "ui/tutorial.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::intptr_t result = static_cast<std::int8_t>(input.Byte());
    const auto language =
        input.Byte() & 1 ? qv::InterfaceLanguage::Chinese : qv::InterfaceLanguage::English;
    const std::wstring folder = input.Text();

    const std::wstring document = qv::TutorialDocument(folder, language);
    QV_FUZZ_CHECK(document.size() >= folder.size() + 2 && document.front() == L'"' &&
                  document.back() == L'"');
    QV_FUZZ_CHECK(document.compare(1, folder.size(), folder) == 0);

    const auto message = qv::TutorialFailureMessage(result, document, language);
    QV_FUZZ_CHECK(message.has_value() == (result <= 32 && result != 31));
    if (message && result != 0 && result != 26 && (result < 28 || result > 30))
        QV_FUZZ_CHECK(message->text.find(document) != std::wstring::npos);

    const qv::TutorialMessage missing = qv::TutorialVariableMissingMessage(folder, language);
    QV_FUZZ_CHECK(missing.text.find(L"\"" + folder + L"\"") != std::wstring::npos);
    return 0;
}
