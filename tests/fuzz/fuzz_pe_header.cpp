// The bitness and subsystem of a program from its file's first bytes: any file the user's folders
// hold.
#include "fuzz_input.h"
#include "base/executable_image.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qv::ExecutableBitness;
    const std::optional<std::uint64_t> offset = qv::CoffHeaderOffset(data, size);
    QV_FUZZ_CHECK(offset.has_value() == (size >= qv::DosHeaderSize));

    const ExecutableBitness fromHeader = qv::BitnessFromCoffHeader(data, size);
    QV_FUZZ_CHECK((fromHeader == ExecutableBitness::Unreadable) == (size < qv::CoffHeaderSize));

    // An image shorter than the headers it names is Unreadable; otherwise the machine field at
    // the named place decides.
    const ExecutableBitness fromImage = qv::ExecutableBitnessFromImage(data, size);
    if (!offset || *offset + qv::CoffHeaderSize > size) {
        QV_FUZZ_CHECK(fromImage == ExecutableBitness::Unreadable);
    } else {
        QV_FUZZ_CHECK(fromImage == qv::BitnessFromCoffHeader(data + *offset, qv::CoffHeaderSize));
        QV_FUZZ_CHECK(fromImage != ExecutableBitness::Unreadable);
    }

    // The subsystem needs the optional header up to its field, inside the image.
    const qv::ExecutableSubsystem subsystem = qv::ExecutableSubsystemFromImage(data, size);
    if (!offset || *offset + qv::SubsystemHeadersSize > size) {
        QV_FUZZ_CHECK(subsystem == qv::ExecutableSubsystem::Unreadable);
    } else {
        QV_FUZZ_CHECK(subsystem ==
                      qv::SubsystemFromHeaders(data + *offset, qv::SubsystemHeadersSize));
    }
    QV_FUZZ_CHECK(qv::SubsystemFromHeaders(data, std::min(size, qv::SubsystemHeadersSize - 1)) ==
                  qv::ExecutableSubsystem::Unreadable);
    return 0;
}
