#include "launch/couplings/fortran_compatibility.h"
#include "launch/couplings/fortran_compilers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

TEST(FortranCompilers, KeyNamesGiveMajorMinorAndThreeDigitBuild) {
    EXPECT_EQ(FortranBuildKeyName({{19, 0}, 166}), L"190.166");
    EXPECT_EQ(FortranBuildKeyName({{12, 1}, 0}), L"121.000");
    EXPECT_EQ(FortranBuildKeyName({{15, 0}, 40}), L"150.040");
    EXPECT_EQ(FortranBuildKeyPath({{19, 1}, 400}), L"Software\\Intel\\Compilers\\Fortran\\191.400");
}

TEST(FortranCompilers, EveryProbedBuildAndNoOtherNameIsRecognised) {
    const std::vector<FortranBuild> all = AllFortranBuilds();
    ASSERT_EQ(all.size(), 6416u);
    EXPECT_EQ(FortranBuildKeyName(all.front()), L"120.000");
    EXPECT_EQ(FortranBuildKeyName(all.back()), L"191.400");
    std::set<std::wstring> names;
    for (const FortranBuild& build : all) {
        const std::wstring name = FortranBuildKeyName(build);
        names.insert(name);
        const auto parsed = ParseFortranBuildKeyName(name);
        ASSERT_TRUE(parsed) << name;
        EXPECT_EQ(FortranBuildKeyName(*parsed), name);
    }
    EXPECT_EQ(names.size(), all.size());
    for (const wchar_t* name :
         {L"", L"190.401", L"200.000", L"110.000", L"192.000", L"190.0166", L"19.166", L"190.16",
          L"190,166", L"190.166 ", L" 190.166", L"+90.166", L"1a0.166", L"190.1a6", L"190166",
          L"\xff11\xff19\x30.166", L"190.-16"})
        EXPECT_FALSE(ParseFortranBuildKeyName(name)) << name;
}

// The rule as a reader finds it written down: for each Visual Studio the versions that count,
// with the integration slot a version must also have recorded (-1: none).
struct Accepted {
    FortranVersion version;
    int slot;
};
struct Row {
    const wchar_t* year;
    std::vector<Accepted> accepted;
};
const std::vector<Row> Table = {
    {L"2010",
     {{{12, 0}, -1},
      {{12, 1}, -1},
      {{13, 0}, -1},
      {{13, 1}, -1},
      {{14, 0}, -1},
      {{14, 1}, -1},
      {{15, 0}, -1},
      {{15, 1}, -1},
      {{16, 0}, -1},
      {{16, 1}, -1}}},
    {L"2012",
     {{{13, 0}, -1},
      {{13, 1}, -1},
      {{14, 0}, -1},
      {{14, 1}, -1},
      {{15, 0}, -1},
      {{15, 1}, -1},
      {{16, 0}, -1},
      {{16, 1}, -1},
      {{17, 0}, -1},
      {{17, 1}, -1}}},
    {L"2013",
     {{{14, 0}, 2},
      {{14, 1}, 2},
      {{15, 0}, -1},
      {{15, 1}, -1},
      {{16, 0}, -1},
      {{16, 1}, -1},
      {{17, 0}, -1},
      {{17, 1}, -1},
      {{18, 0}, -1},
      {{18, 1}, -1},
      {{19, 0}, -1}}},
    {L"2015",
     {{{15, 0}, 3},
      {{15, 1}, 3},
      {{16, 0}, -1},
      {{16, 1}, -1},
      {{17, 0}, -1},
      {{17, 1}, -1},
      {{18, 0}, -1},
      {{18, 1}, -1},
      {{19, 0}, -1}}},
    {L"2017",
     {{{17, 0}, 4}, {{17, 1}, 4}, {{18, 0}, -1}, {{18, 1}, -1}, {{19, 0}, -1}, {{19, 1}, -1}}},
    {L"2019", {{{19, 0}, 5}, {{19, 1}, -1}}},
};

const Accepted* Find(const Row& row, int index) {
    for (const Accepted& a : row.accepted)
        if (FortranVersionIndex(a.version) == index) return &a;
    return nullptr;
}

// One version of one bitness present, with integration records in the given slots.
FortranCompilerTable Only(int index, bool is64Bit, const std::set<int>& slots) {
    FortranCompilerTable table{};
    FortranCompilerFlags& flags = table[static_cast<std::size_t>(index)];
    (is64Bit ? flags.found64 : flags.found32) = true;
    for (int slot : slots)
        (is64Bit ? flags.integrated64 : flags.integrated32)[static_cast<std::size_t>(slot)] = true;
    return table;
}

TEST(FortranCompatibility, EachVisualStudioAcceptsItsVersionsWithTheirIntegration) {
    const std::set<int> allSlots = {0, 1, 2, 3, 4, 5};
    for (const Row& row : Table) {
        for (bool is64Bit : {false, true}) {
            for (int index = 0; index < FortranVersionCount; ++index) {
                SCOPED_TRACE(testing::Message()
                             << "VS" << row.year << (is64Bit ? " 64" : " 32") << " version "
                             << 12 + index / 2 << "." << index % 2);
                const Accepted* accepted = Find(row, index);
                EXPECT_EQ(FortranCompilerFits(Only(index, is64Bit, {}), row.year, is64Bit),
                          accepted && accepted->slot < 0);
                EXPECT_EQ(FortranCompilerFits(Only(index, is64Bit, allSlots), row.year, is64Bit),
                          accepted != nullptr);
                if (accepted && accepted->slot >= 0) {
                    std::set<int> others = allSlots;
                    others.erase(accepted->slot);
                    EXPECT_FALSE(
                        FortranCompilerFits(Only(index, is64Bit, others), row.year, is64Bit));
                }
                // The other bitness's compiler and records do not count.
                EXPECT_FALSE(
                    FortranCompilerFits(Only(index, !is64Bit, allSlots), row.year, is64Bit));
            }
        }
    }
}

TEST(FortranCompatibility, RecordWithoutCompilerDoesNotCountAndOtherYearsPass) {
    FortranCompilerTable recordsOnly{};
    for (FortranCompilerFlags& flags : recordsOnly) {
        flags.integrated32.fill(true);
        flags.integrated64.fill(true);
    }
    for (const Row& row : Table)
        EXPECT_FALSE(FortranCompilerFits(recordsOnly, row.year, true)) << row.year;
    for (const wchar_t* year : {L"2008", L"2022", L"", L"2019 "})
        EXPECT_TRUE(FortranCompilerFits(FortranCompilerTable{}, year, true)) << year;
}

TEST(FortranIntegration, FilesBesideTheToolsFolderOrInIntelsSharedFiles) {
    EXPECT_EQ(FortranIntegrationFiles(
                  L"2015", L"C:\\Program Files (x86)\\Microsoft Visual Studio 14.0\\Common7\\Tools",
                  std::nullopt),
              std::vector<std::wstring>{L"C:\\Program Files (x86)\\Microsoft Visual Studio "
                                        L"14.0\\Intel Fortran\\VFPackages\\VFProj.dll"});
    EXPECT_EQ(FortranIntegrationFiles(L"2010", L"D:/VS10/Common7/Tools/", L"ignored"),
              std::vector<std::wstring>{L"D:\\VS10\\Intel Fortran\\VFPackages\\VFProj.dll"});
    EXPECT_EQ(FortranIntegrationFiles(L"2013", L"", std::nullopt),
              std::vector<std::wstring>{L"\\Intel Fortran\\VFPackages\\VFProj.dll"});

    EXPECT_EQ(
        FortranIntegrationFiles(L"2017", L"C:\\ignored",
                                L"E:\\Intel\\Common Files\\Shared Libraries\\"),
        std::vector<std::wstring>{L"E:\\Intel\\Common Files\\shared files\\VS "
                                  L"Integration\\VS15\\Intel Fortran\\VFPackages\\VFProj.dll"});
    const std::vector<std::wstring> drives = FortranIntegrationFiles(L"2019", L"", std::nullopt);
    ASSERT_EQ(drives.size(), 24u);
    EXPECT_EQ(drives.front(), L"C:\\Program Files (x86)\\Common Files\\Intel\\shared files\\VS "
                              L"Integration\\VS16\\Intel Fortran\\VFPackages\\VFProj.dll");
    EXPECT_EQ(drives.back().substr(0, 3), L"Z:\\");
    EXPECT_TRUE(FortranIntegrationFiles(L"2008", L"C:\\VS\\Common7\\Tools", std::nullopt).empty());
}

} // namespace
} // namespace qv
