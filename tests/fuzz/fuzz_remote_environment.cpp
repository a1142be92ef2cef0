// Another process's memory as the launcher reads it for __SharedLauncherWnd__: any bytes may
// stand where the PEB, the process parameters and the environment block should be.
#include "fuzz_input.h"
#include "launch/workbench/remote_environment.h"

#include <cstring>

namespace {

// The input after its first bytes, mapped as one region at a base address; reads must stay
// away from address 0 and within what the walk may ever ask for.
class FuzzMemory final : public qv::RemoteMemory {
  public:
    FuzzMemory(const qv::ProcessLayout& layout, std::uint64_t base, const std::uint8_t* data,
               std::size_t size)
        : layout_(layout), base_(base), data_(data), size_(size) {}
    bool Read(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        QV_FUZZ_CHECK(address != 0);
        QV_FUZZ_CHECK(size > 0 && size <= qv::LargestRemoteEnvironment);
        if (address < base_ || address - base_ > size_ || size > size_ - (address - base_))
            return false;
        std::memcpy(buffer, data_ + (address - base_), size);
        return true;
    }
    bool Query(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        QV_FUZZ_CHECK(size == layout_.memoryInformationSize);
        // Whatever the platform answers: here, the same bytes as the image's start.
        if (size > size_) return false;
        std::memcpy(buffer, data_, size);
        return address != 0;
    }

  private:
    const qv::ProcessLayout& layout_;
    std::uint64_t base_;
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t flags = data[0];
    const qv::ProcessLayout& layout = flags & 1 ? qv::Layout64 : qv::Layout32;
    qv::EnvironmentReading reading;
    reading.recordedSize = (flags & 2) != 0;
    reading.queryRegion = (flags & 4) != 0;
    // The image sits at a small base, so the addresses inside it can point back into it.
    const std::uint64_t base = std::uint64_t{data[1]} << 8;
    const std::uint8_t* image = data + 2;
    const std::size_t imageSize = size - 2;
    FuzzMemory memory(layout, base, image, imageSize);
    const qv::RemoteVariable found =
        qv::ReadRemoteVariable(layout, image, imageSize, memory, L"__SharedLauncherWnd__", reading);
    QV_FUZZ_CHECK(found.result >= -1);
    if (found.result <= 0) QV_FUZZ_CHECK(found.value.empty());
    if (found.result > 0) QV_FUZZ_CHECK(!found.value.empty());

    // The block itself, straight from the input.
    const qv::RemoteVariable direct = qv::FindEnvironmentEntry(image, imageSize, L"a");
    QV_FUZZ_CHECK(direct.result >= 0);
    QV_FUZZ_CHECK(static_cast<std::size_t>(direct.result) <= imageSize / 2);
    return 0;
}
