// Names of running processes, window classes and titles, as other programs choose them, and the
// identifiers of a process snapshot.
#include "fuzz_input.h"
#include "launch/supervision/fluent_process.h"

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    std::vector<std::uint32_t> before, now;
    for (int n = input.Byte() % 8; n > 0; --n)
        before.push_back(input.Byte() % 16);
    for (int n = input.Byte() % 8; n > 0; --n)
        now.push_back(input.Byte() % 16);
    const auto chosen = qv::ChooseNewFluentProcess(before, now);
    if (chosen) {
        QV_FUZZ_CHECK(std::find(now.begin(), now.end(), *chosen) != now.end());
        QV_FUZZ_CHECK(std::find(before.begin(), before.end(), *chosen) == before.end());
    } else {
        for (std::uint32_t id : now)
            QV_FUZZ_CHECK(std::find(before.begin(), before.end(), id) != before.end());
    }

    const std::wstring name = input.Text();
    const std::wstring className = input.Text();
    const std::wstring title = input.Text();
    const std::wstring parentClass = input.Text();
    if (qv::IsFluentExecutableName(name)) QV_FUZZ_CHECK(name.size() >= 6);
    qv::IsFluentWindowClass(className);
    if (qv::IsFluentWindowTitle(title)) QV_FUZZ_CHECK(title.size() >= 6);
    if (qv::IsFluentConsole(className, true, parentClass))
        QV_FUZZ_CHECK(!qv::IsFluentConsole(className, false, parentClass));
    return 0;
}
