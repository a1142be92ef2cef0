#include "launch/workbench/remote_environment.h"

#include "base/text.h"

#include <optional>
#include <vector>

namespace qv {

namespace {

std::uint64_t ReadAddress(const std::uint8_t* bytes, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= std::uint64_t{bytes[i]} << (8 * i);
    return value;
}

std::uint64_t AddressSpaceEnd(const ProcessLayout& layout) {
    return layout.addressWidth == 8 ? ~std::uint64_t{0} : 0xFFFFFFFFu;
}

// The structure of the layout's size at a non-null address, or nothing.
std::optional<std::vector<std::uint8_t>> ReadStructure(RemoteMemory& memory, std::uint64_t address,
                                                       std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    if (address == 0 || !memory.Read(address, bytes.data(), size)) return std::nullopt;
    return bytes;
}

// How many bytes from the block's address up to the end of its region; nothing when the address
// lies outside the region the query describes.
std::optional<std::uint64_t> RoomInRegion(const ProcessLayout& layout, RemoteMemory& memory,
                                          std::uint64_t address) {
    std::vector<std::uint8_t> information(layout.memoryInformationSize);
    if (!memory.Query(address, information.data(), information.size())) return std::nullopt;
    const std::uint64_t base = ReadAddress(&information[layout.regionBaseAt], layout.addressWidth);
    const std::uint64_t size = ReadAddress(&information[layout.regionSizeAt], layout.addressWidth);
    if (address < base || address - base >= size) return std::nullopt;
    return size - (address - base);
}

struct BlockPlace {
    std::uint64_t address = 0;
    std::uint64_t size = 0;
};

std::optional<BlockPlace> FindBlock(const ProcessLayout& layout, const std::uint8_t* basic,
                                    RemoteMemory& memory, const EnvironmentReading& reading) {
    const std::size_t width = layout.addressWidth;
    const auto peb =
        ReadStructure(memory, ReadAddress(basic + layout.pebAddressAt, width), layout.pebSize);
    if (!peb) return std::nullopt;
    const auto parameters = ReadStructure(
        memory, ReadAddress(&(*peb)[layout.parametersAddressAt], width), layout.parametersSize);
    if (!parameters) return std::nullopt;
    BlockPlace block;
    block.address = ReadAddress(&(*parameters)[layout.environmentAddressAt], width);
    if (block.address == 0) return std::nullopt;
    std::optional<std::uint64_t> room;
    if (reading.queryRegion && !(room = RoomInRegion(layout, memory, block.address)))
        return std::nullopt;
    if (reading.recordedSize) {
        block.size = ReadAddress(&(*parameters)[layout.environmentSizeAt], width);
        // The block never runs past its region, whatever size the parameters claim.
        if (room && block.size > *room) return std::nullopt;
    } else if (room) {
        block.size = *room;
    } else {
        return std::nullopt; // no recorded size and no region to bound the block
    }
    return block;
}

} // namespace

RemoteVariable ReadRemoteVariable(const ProcessLayout& layout, const std::uint8_t* basicInformation,
                                  std::size_t basicInformationSize, RemoteMemory& memory,
                                  std::wstring_view name, const EnvironmentReading& reading) {
    if (!basicInformation || basicInformationSize < layout.basicInformationSize) return {};
    const std::optional<BlockPlace> block = FindBlock(layout, basicInformation, memory, reading);
    if (!block) return {};
    // Before Vista the region bounds the block; so does the cap on what is read.
    std::uint64_t size = block->size;
    if (!reading.recordedSize && size > LargestRemoteEnvironment) size = LargestRemoteEnvironment;
    if (size == 0 || size % 2 != 0 || size > LargestRemoteEnvironment ||
        size - 1 > AddressSpaceEnd(layout) - block->address)
        return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!memory.Read(block->address, bytes.data(), bytes.size())) return {};
    return FindEnvironmentEntry(bytes.data(), bytes.size(), name);
}

RemoteVariable FindEnvironmentEntry(const std::uint8_t* block, std::size_t size,
                                    std::wstring_view name) {
    const std::wstring prefix = ToLower(std::wstring(name) + L"=");
    const std::vector<std::uint8_t> prefixBytes = Utf16BytesFromText(prefix);
    const std::size_t units = block ? size / 2 : 0;
    auto unitAt = [block](std::size_t i) {
        return static_cast<wchar_t>(block[2 * i] | (block[2 * i + 1] << 8));
    };
    RemoteVariable found;
    found.result = 0;
    for (std::size_t start = 0; start < units;) {
        std::size_t end = start;
        while (end < units && unitAt(end) != 0)
            ++end;
        if (end == start) break; // the empty entry ends the block
        const std::size_t prefixUnits = prefixBytes.size() / 2;
        if (end - start >= prefixUnits &&
            ToLower(TextFromUtf16Bytes(block + 2 * start, prefixBytes.size())) == prefix) {
            const std::size_t valueStart = start + prefixUnits;
            found.result = static_cast<int>(end - valueStart);
            found.value = TextFromUtf16Bytes(block + 2 * valueStart, 2 * (end - valueStart));
            return found;
        }
        start = end + 1;
    }
    return found;
}

} // namespace qv
