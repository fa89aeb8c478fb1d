#include <gtest/gtest.h>

#include <cstring>

#include "vcl50/Resourcedirectory.h"

namespace {

// A directory of one resource, laid out by hand: header, entry, "RCDATA", "ONE", data "abc".
std::vector<uint8_t> OneEntry()
{
    std::vector<uint8_t> block = {'R', 'S', 'R', 'C', 1, 0, 0, 0};
    auto u32 = [&block](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            block.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    u32(28);  // type
    u32(35);  // name
    u32(40);  // data
    u32(3);   // size
    block.insert(block.end(), {0x19, 0x04, 0, 0});  // language 1049
    for (const char* text : {"RCDATA", "ONE"})
        block.insert(block.end(), text, text + std::strlen(text) + 1);
    block.resize(40);
    block.insert(block.end(), {'a', 'b', 'c'});
    return block;
}

void ExpectRefused(const std::vector<uint8_t>& block, const std::string& why)
{
    try {
        ParseResourceDirectory(block);
        ADD_FAILURE() << "accepted: " << why;
    } catch (const EResourceError& error) {
        EXPECT_NE(error.Message().find(why), std::string::npos) << error.Message();
    }
}

TEST(ResourceDirectory, ReadsEntries)
{
    const auto block = OneEntry();
    const auto entries = ParseResourceDirectory(block);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Type, "RCDATA");
    EXPECT_EQ(entries[0].Name, "ONE");
    EXPECT_EQ(entries[0].Language, 1049);
    EXPECT_EQ(std::string(entries[0].Data.begin(), entries[0].Data.end()), "abc");
    EXPECT_EQ(entries[0].Record, block.data() + 8);
}

TEST(ResourceDirectory, RefusesWhatDoesNotHoldTogether)
{
    ExpectRefused({'R', 'S', 'R'}, "too short");
    auto block = OneEntry();
    block[0] = 'X';
    ExpectRefused(block, "lacks its mark");

    block = OneEntry();
    block[4] = 3;
    ExpectRefused(block, "claims 3 entries");

    block = OneEntry();
    block[8] = 200;  // type offset
    ExpectRefused(block, "type offset 200 is outside");

    block = OneEntry();
    block[20] = 4;  // size 4 of a 3-byte tail
    ExpectRefused(block, "4 bytes at offset 40 run past");

    block = OneEntry();
    block.resize(38);  // ends within the name
    ExpectRefused(block, "name is not terminated");
}

}  // namespace
