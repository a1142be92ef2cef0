// The walk from a process's basic information to one variable of its environment block, on byte
// images of a process laid out as 32-bit and as 64-bit Windows lay it out.
#include "base/text.h"
#include "launch/workbench/remote_environment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::size_t at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

Bytes Block(const std::vector<std::wstring>& entries) {
    Bytes bytes;
    for (const auto& entry : entries) {
        const Bytes unit = Utf16BytesFromText(entry);
        bytes.insert(bytes.end(), unit.begin(), unit.end());
        bytes.insert(bytes.end(), {0, 0});
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

// A process's memory as regions of bytes; every read and query is remembered.
class ImageMemory final : public RemoteMemory {
  public:
    explicit ImageMemory(const ProcessLayout& layout) : layout_(layout) {}
    void Map(std::uint64_t base, Bytes bytes) { regions_[base] = std::move(bytes); }
    bool Read(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        reads.push_back(address);
        const auto region = RegionOf(address);
        if (region == regions_.end() || address - region->first + size > region->second.size())
            return false;
        std::memcpy(buffer, &region->second[address - region->first], size);
        return true;
    }
    bool Query(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        queries.push_back(address);
        const auto region = RegionOf(address);
        if (region == regions_.end() || size != layout_.memoryInformationSize) return false;
        Bytes information(size);
        Put(information, layout_.regionBaseAt, region->first, layout_.addressWidth);
        Put(information, layout_.regionSizeAt, region->second.size(), layout_.addressWidth);
        std::memcpy(buffer, information.data(), size);
        return true;
    }
    std::vector<std::uint64_t> reads, queries;

  private:
    std::map<std::uint64_t, Bytes>::const_iterator RegionOf(std::uint64_t address) const {
        auto region = regions_.upper_bound(address);
        if (region == regions_.begin()) return regions_.end();
        --region;
        return address - region->first < region->second.size() ? region : regions_.end();
    }
    const ProcessLayout& layout_;
    std::map<std::uint64_t, Bytes> regions_;
};

// A process with PEB, parameters and environment block where its layout puts them.
struct Process {
    const ProcessLayout& layout;
    ImageMemory memory{layout};
    Bytes basic = Bytes(layout.basicInformationSize);
    Bytes peb = Bytes(layout.pebSize);
    Bytes parameters = Bytes(layout.parametersSize);
    std::uint64_t pebAt, parametersAt, blockAt;

    Process(const ProcessLayout& processLayout, const Bytes& block, std::uint64_t high)
        : layout(processLayout), pebAt(high + 0x7000), parametersAt(high + 0x20000),
          blockAt(high + 0x30000) {
        const std::size_t w = layout.addressWidth;
        Put(basic, layout.pebAddressAt, pebAt, w);
        Put(peb, layout.parametersAddressAt, parametersAt, w);
        Put(parameters, layout.environmentAddressAt, blockAt, w);
        Put(parameters, layout.environmentSizeAt, block.size(), w);
        Map(block);
    }
    void Map(const Bytes& block) {
        memory.Map(pebAt, peb);
        memory.Map(parametersAt, parameters);
        // The block's region runs on past the block, as allocations do.
        Bytes region = block;
        region.resize(0x1000 > block.size() ? 0x1000 : block.size());
        memory.Map(blockAt, region);
    }
    RemoteVariable Read(std::wstring_view name, EnvironmentReading reading = {}) {
        return ReadRemoteVariable(layout, basic.data(), basic.size(), memory, name, reading);
    }
};

const Bytes Environment = Block(
    {L"PATH=C:\\W", L"__SharedLauncherWnd__X=1", L"__sharedlauncherwnd__=655794", L"lang=zh"});

class RemoteEnvironment : public ::testing::TestWithParam<const ProcessLayout*> {
  protected:
    const ProcessLayout& Layout() const { return *GetParam(); }
    // Addresses above 4 GiB exist only in the 64-bit layout.
    std::uint64_t High() const { return Layout().addressWidth == 8 ? 0x7FF600000000ull : 0x10000; }
};

TEST_P(RemoteEnvironment, FindsTheVariableIgnoringCaseAndNotItsLongerNamesake) {
    Process process(Layout(), Environment, High());
    const RemoteVariable found = process.Read(L"__SharedLauncherWnd__");
    EXPECT_EQ(found.result, 6);
    EXPECT_EQ(found.value, L"655794");
    EXPECT_EQ(process.memory.reads,
              (std::vector<std::uint64_t>{process.pebAt, process.parametersAt, process.blockAt}));

    const RemoteVariable absent = process.Read(L"QUORVEX_PATH");
    EXPECT_EQ(absent.result, 0);
    EXPECT_EQ(absent.value, L"");
}

TEST_P(RemoteEnvironment, ImpossibleAddressesAndSizesGiveMinusOneWithoutReadingThere) {
    // Each fault is applied to a readable process; its read of the variable must fail, and no
    // read may touch address 0.
    struct Fault {
        const char* name;
        void (*apply)(Process&);
    };
    const std::vector<Fault> faults{
        {"null PEB",
         [](Process& p) { Put(p.basic, p.layout.pebAddressAt, 0, p.layout.addressWidth); }},
        {"null parameters",
         [](Process& p) {
             Put(p.peb, p.layout.parametersAddressAt, 0, p.layout.addressWidth);
             p.Map(Environment);
         }},
        {"null block",
         [](Process& p) {
             Put(p.parameters, p.layout.environmentAddressAt, 0, p.layout.addressWidth);
             p.Map(Environment);
         }},
        {"zero size",
         [](Process& p) {
             Put(p.parameters, p.layout.environmentSizeAt, 0, p.layout.addressWidth);
             p.Map(Environment);
         }},
        {"odd size",
         [](Process& p) {
             Put(p.parameters, p.layout.environmentSizeAt, 9, p.layout.addressWidth);
             p.Map(Environment);
         }},
        {"size beyond the cap",
         [](Process& p) {
             Put(p.parameters, p.layout.environmentSizeAt, LargestRemoteEnvironment + 2,
                 p.layout.addressWidth);
             p.Map(Environment);
         }},
        {"huge size",
         [](Process& p) {
             Put(p.parameters, p.layout.environmentSizeAt, ~std::uint64_t{1},
                 p.layout.addressWidth);
             p.Map(Environment);
         }},
        {"unreadable PEB",
         [](Process& p) {
             p.pebAt += 0x100000;
             Put(p.basic, p.layout.pebAddressAt, p.pebAt, p.layout.addressWidth);
         }},
    };
    for (const Fault& fault : faults) {
        Process process(Layout(), Environment, High());
        ASSERT_EQ(process.Read(L"lang").result, 2) << "positive control for " << fault.name;
        process.memory.reads.clear();
        fault.apply(process);
        EXPECT_EQ(process.Read(L"lang").result, -1) << fault.name;
        for (std::uint64_t address : process.memory.reads)
            EXPECT_NE(address, 0u) << fault.name;
    }
}

TEST_P(RemoteEnvironment, WithoutARecordedSizeTheRegionBoundsTheBlock) {
    Process process(Layout(), Environment, High());
    // Before Vista the parameters record no size: whatever lies there is ignored.
    Put(process.parameters, Layout().environmentSizeAt, 0, Layout().addressWidth);
    process.Map(Environment);
    EnvironmentReading reading;
    reading.recordedSize = false;
    reading.queryRegion = true;
    const RemoteVariable found = process.Read(L"LANG", reading);
    EXPECT_EQ(found.result, 2);
    EXPECT_EQ(found.value, L"zh");
    EXPECT_EQ(process.memory.queries, std::vector<std::uint64_t>{process.blockAt});
    // With neither a recorded size nor a region, nothing can bound the block.
    reading.queryRegion = false;
    EXPECT_EQ(process.Read(L"LANG", reading).result, -1);
}

TEST_P(RemoteEnvironment, ARecordedSizeBeyondItsRegionIsRefused) {
    Process process(Layout(), Environment, High());
    Put(process.parameters, Layout().environmentSizeAt, 0x2000, Layout().addressWidth);
    process.Map(Environment);
    EnvironmentReading reading; // a region of 0x1000 bytes
    EXPECT_EQ(process.Read(L"lang", reading).result, -1);
    reading.queryRegion = false; // not asked: the read itself fails
    EXPECT_EQ(process.Read(L"lang", reading).result, -1);
}

TEST_P(RemoteEnvironment, ShortBasicInformationIsRefused) {
    Process process(Layout(), Environment, High());
    EXPECT_EQ(ReadRemoteVariable(Layout(), process.basic.data(), process.basic.size() - 1,
                                 process.memory, L"lang", {})
                  .result,
              -1);
    EXPECT_TRUE(process.memory.reads.empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, RemoteEnvironment, ::testing::Values(&Layout32, &Layout64),
                         [](const auto& info) {
                             return info.param == &Layout32 ? std::string("Windows32")
                                                            : std::string("Windows64");
                         });

TEST(RemoteEnvironmentLayouts, FieldsWhereThePlatformPutsThem) {
    EXPECT_EQ(Layout32.basicInformationSize, 24u);
    EXPECT_EQ(Layout32.pebAddressAt, 4u);
    EXPECT_EQ(Layout32.parametersAddressAt, 0x10u);
    EXPECT_EQ(Layout32.parametersSize, 660u);
    EXPECT_EQ(Layout32.environmentAddressAt, 0x48u);
    EXPECT_EQ(Layout32.environmentSizeAt, 0x290u);
    EXPECT_EQ(Layout32.memoryInformationSize, 28u);
    EXPECT_EQ(Layout32.regionSizeAt, 0x0Cu);
    EXPECT_EQ(Layout64.basicInformationSize, 48u);
    EXPECT_EQ(Layout64.pebAddressAt, 8u);
    EXPECT_EQ(Layout64.parametersAddressAt, 0x20u);
    EXPECT_EQ(Layout64.parametersSize, 1016u);
    EXPECT_EQ(Layout64.environmentAddressAt, 0x80u);
    EXPECT_EQ(Layout64.environmentSizeAt, 0x3F0u);
    EXPECT_EQ(Layout64.memoryInformationSize, 48u);
    EXPECT_EQ(Layout64.regionSizeAt, 0x18u);
}

TEST(RemoteEnvironmentBlock, EntriesUpToTheEmptyOneOrTheEnd) {
    const Bytes block = Block({L"A=1", L"B=", L"C=3"});
    EXPECT_EQ(FindEnvironmentEntry(block.data(), block.size(), L"c").value, L"3");
    const RemoteVariable empty = FindEnvironmentEntry(block.data(), block.size(), L"B");
    EXPECT_EQ(empty.result, 0);
    // Nothing after the empty entry counts.
    Bytes ended = Block({L"A=1"});
    const Bytes after = Block({L"Z=9"});
    ended.insert(ended.end(), after.begin(), after.end());
    EXPECT_EQ(FindEnvironmentEntry(ended.data(), ended.size(), L"Z").result, 0);
    // A last entry cut off by the end of the bytes still counts, up to there.
    Bytes cut = Utf16BytesFromText(L"X=12345");
    cut.push_back(0x41); // half a character
    const RemoteVariable partial = FindEnvironmentEntry(cut.data(), cut.size(), L"x");
    EXPECT_EQ(partial.result, 5);
    EXPECT_EQ(partial.value, L"12345");
    // Entries shorter than the prefix, and the hidden per-drive ones, are passed by.
    const Bytes odd = Block({L"=C:=C:\\x", L"X", L"X=ok"});
    EXPECT_EQ(FindEnvironmentEntry(odd.data(), odd.size(), L"X").value, L"ok");
    EXPECT_EQ(FindEnvironmentEntry(nullptr, 0, L"X").result, 0);
}

TEST(RemoteEnvironmentBlock, ValueLengthCountsUtf16Units) {
    const Bytes block = Block({std::wstring(L"V=a") + static_cast<wchar_t>(0x4E2D)});
    EXPECT_EQ(FindEnvironmentEntry(block.data(), block.size(), L"v").result, 2);
    Bytes astral = Utf16BytesFromText(L"V=");
    astral.insert(astral.end(), {0x3D, 0xD8, 0x00, 0xDE, 0, 0}); // U+1F600 as two units
    EXPECT_EQ(FindEnvironmentEntry(astral.data(), astral.size(), L"V").result, 2);
}

} // namespace
} // namespace qv
