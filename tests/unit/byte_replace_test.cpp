#include "launch/couplings/byte_replace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

Bytes B(std::string_view text) {
    return Bytes(text.begin(), text.end());
}
std::string S(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

using namespace std::string_literals;

struct ReplaceCase {
    std::string data, from, to, expected;
    std::size_t replacements;
};

const std::vector<ReplaceCase> ReplaceCases = {
    {""s, "hdf5.dll"s, "hdf_.dll"s, ""s, 0},
    {"hdf5.dll"s, "hdf5.dll"s, "hdf_.dll"s, "hdf_.dll"s, 1},
    {"MZ..hdf5.dll\0..hdf5.dll"s, "hdf5.dll"s, "hdf_.dll"s, "MZ..hdf_.dll\0..hdf_.dll"s, 2},
    {"hdf5.dllhdf5.dll"s, "hdf5.dll"s, "hdf_.dll"s, "hdf_.dllhdf_.dll"s, 2},
    {"HDF5.DLL Hdf5.dll"s, "hdf5.dll"s, "hdf_.dll"s, "HDF5.DLL Hdf5.dll"s, 0},
    {"ends in hdf5.dl"s, "hdf5.dll"s, "hdf_.dll"s, "ends in hdf5.dl"s, 0},
    {"hdf"s, "hdf5.dll"s, "hdf_.dll"s, "hdf"s, 0},
    {"hhdf5.dll"s, "hdf5.dll"s, "hdf_.dll"s, "hhdf_.dll"s, 1},
    // Occurrences do not overlap: each replacement goes on after the bytes it replaced.
    {"aaa"s, "aa"s, "bb"s, "bba"s, 1},
    {"aaaa"s, "aa"s, "bb"s, "bbbb"s, 2},
    {"ababa"s, "aba"s, "xyz"s, "xyzba"s, 1},
    // What a replacement makes is not looked at again.
    {"aab"s, "ab"s, "ba"s, "aba"s, 1},
    {"xerces-c_3_2.dll"s, "xerces-c_3_2.dll"s, "xerces_c_3_2.dll"s, "xerces_c_3_2.dll"s, 1},
    // Other lengths work as well.
    {"a-b-c"s, "-"s, ""s, "abc"s, 2},
    {"a-b"s, "-"s, "--"s, "a--b"s, 1},
    {"nothing"s, ""s, "x"s, "nothing"s, 0},
};

ByteSink Collect(Bytes& out) {
    return [&out](const std::uint8_t* data, std::size_t size) {
        out.insert(out.end(), data, data + size);
        return true;
    };
}

// The data in pieces of every size, and cut once at every place: the result never depends on
// where the pieces end.
std::vector<std::vector<std::string>> Piecings(const std::string& data) {
    std::vector<std::vector<std::string>> piecings;
    for (std::size_t size = 1; size <= data.size(); ++size) {
        std::vector<std::string> pieces;
        for (std::size_t at = 0; at < data.size(); at += size)
            pieces.push_back(data.substr(at, size));
        piecings.push_back(pieces);
    }
    for (std::size_t cut = 0; cut <= data.size(); ++cut)
        piecings.push_back({data.substr(0, cut), data.substr(cut)});
    return piecings;
}

TEST(ByteReplace, EveryOccurrenceFromTheStartWithoutOverlapWhereverThePiecesEnd) {
    for (const ReplaceCase& c : ReplaceCases) {
        const std::string& data = c.data;
        const std::string& expected = c.expected;
        SCOPED_TRACE(data);
        EXPECT_EQ(S(ReplaceBytes(B(data), B(c.from), B(c.to))), expected);
        for (const auto& pieces : Piecings(data)) {
            Bytes out;
            ByteStringReplacer replacer(B(c.from), B(c.to), Collect(out));
            for (const std::string& piece : pieces)
                ASSERT_TRUE(replacer.Feed(reinterpret_cast<const std::uint8_t*>(piece.data()),
                                          piece.size()));
            ASSERT_TRUE(replacer.Finish());
            EXPECT_EQ(S(out), expected) << pieces.size() << " pieces";
            EXPECT_EQ(replacer.Replacements(), c.replacements);
        }
    }
}

TEST(ByteReplace, OutputIsHandedOutAsSoonAsNoLaterPieceCanChangeIt) {
    Bytes out;
    ByteStringReplacer replacer(B("hdf5.dll"), B("hdf_.dll"), Collect(out));
    const std::string first = "0123456789hdf5";
    ASSERT_TRUE(replacer.Feed(reinterpret_cast<const std::uint8_t*>(first.data()), first.size()));
    // Only the last seven bytes may still begin the name.
    EXPECT_EQ(S(out), "0123456");
    const std::string second = ".dll!";
    ASSERT_TRUE(replacer.Feed(reinterpret_cast<const std::uint8_t*>(second.data()), second.size()));
    ASSERT_TRUE(replacer.Finish());
    EXPECT_EQ(S(out), "0123456789hdf_.dll!");
}

TEST(ByteReplace, ASinkThatRefusesStopsTheWork) {
    int calls = 0;
    ByteStringReplacer replacer(B("ab"), B("xy"), [&calls](const std::uint8_t*, std::size_t) {
        ++calls;
        return false;
    });
    const std::string data = "0ab1";
    EXPECT_FALSE(replacer.Feed(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
    EXPECT_EQ(calls, 1);
}

TEST(ByteReplace, FinderSeesTheStringWhereverThePiecesEnd) {
    for (const ReplaceCase& c : ReplaceCases) {
        const std::string& data = c.data;
        const bool expected = c.replacements > 0;
        SCOPED_TRACE(data);
        EXPECT_EQ(ContainsBytes(B(data), B(c.from)), expected);
        for (const auto& pieces : Piecings(data)) {
            ByteStringFinder finder(B(c.from));
            for (const std::string& piece : pieces)
                finder.Feed(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
            EXPECT_EQ(finder.Found(), expected) << pieces.size() << " pieces";
        }
    }
}

} // namespace
} // namespace qv
