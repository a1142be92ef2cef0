// Log entries made of texts from outside: paths, messages, the system's error texts, the dialog's
// list entries; with any time, offset, process id and level.
#include "base/launch_log.h"
#include "fuzz_input.h"
#include "ui/launch_press_text.h"

#include <string>

namespace {

bool IsControlByte(char c) {
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
}

// Every line of the entry begins with the entry's own prefix, the lines after the first with
// "| " after it, and no line holds a line break or another control character but the tab.
void CheckEntry(const std::string& entry, const std::string& prefix) {
    QV_FUZZ_CHECK(entry.size() >= prefix.size() + 2 &&
                  entry.compare(entry.size() - 2, 2, "\r\n") == 0);
    std::size_t begin = 0;
    for (bool first = true; begin < entry.size(); first = false) {
        const std::size_t end = entry.find("\r\n", begin);
        QV_FUZZ_CHECK(end != std::string::npos);
        const std::string line = entry.substr(begin, end - begin);
        QV_FUZZ_CHECK(line.compare(0, prefix.size(), prefix) == 0);
        if (!first) QV_FUZZ_CHECK(line.compare(prefix.size(), 2, "| ") == 0);
        for (char c : line)
            QV_FUZZ_CHECK(!IsControlByte(c));
        begin = end + 2;
    }
}

int Signed(qv::fuzz::FuzzInput& input) {
    return static_cast<int>(static_cast<std::int8_t>(input.Byte())) * 97;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    qv::LogTime time{2026 + Signed(input), input.Byte() % 13, input.Byte() % 32,
                     input.Byte() % 24,    input.Byte() % 60, input.Byte() % 60,
                     input.Byte() * 4,     Signed(input) * 17};
    const std::uint32_t processId = input.Byte() * 16777259u;
    const auto level = static_cast<qv::LogLevel>(input.Byte() % 3);
    const std::wstring text = input.Text();
    const std::wstring other = input.Text();

    char levelField[16];
    std::snprintf(levelField, sizeof levelField, "%-7s ", qv::LogLevelName(level));
    const std::string prefix =
        qv::FormatLogTime(time) + " [" + std::to_string(processId) + "] " + levelField;
    CheckEntry(qv::FormatLogEntry(time, processId, level, text), prefix);

    // The composed texts keep what they were given, and make entries of the same shape.
    const std::wstring shown = qv::ShownMessageLogText("some-key", other, text);
    QV_FUZZ_CHECK(shown.find(text) != std::wstring::npos &&
                  shown.find(other) != std::wstring::npos);
    const std::wstring failure = qv::FailureLogText(text, other, processId, L"");
    QV_FUZZ_CHECK(failure.find(std::to_wstring(processId)) != std::wstring::npos);
    const std::wstring start = qv::StartLogText(text, other, L"why", &time);
    QV_FUZZ_CHECK(start.compare(0, 5, L"start") == 0 && start.find(other) != std::wstring::npos);
    CheckEntry(qv::FormatLogEntry(time, processId, level, start), prefix);

    // Nothing of a placeholder survives but what the insert itself brought.
    const std::wstring filled = qv::FilledSystemText(text, L"");
    QV_FUZZ_CHECK(filled.size() <= text.size());
    QV_FUZZ_CHECK(qv::FilledSystemText(text, other).size() <= text.size() * (other.size() + 1));

    qv::LaunchPress press;
    press.options.dimension = static_cast<qv::Dimension>(Signed(input) % 3);
    press.options.processingMode = static_cast<qv::ProcessingMode>(Signed(input) % 3);
    press.options.linkMode = static_cast<qv::MatlabLink>(Signed(input) % 3);
    press.options.processCount = processId;
    press.fluentEntry = text;
    press.fluentFolder = other;
    press.visualStudio = input.Text();
    const std::wstring pressed = qv::LaunchPressLogText(press);
    QV_FUZZ_CHECK(pressed.compare(0, 4, L"OK: ") == 0 && pressed.find(text) != std::wstring::npos &&
                  pressed.find(press.visualStudio) != std::wstring::npos);
    return 0;
}
