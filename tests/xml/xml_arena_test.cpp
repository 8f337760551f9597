// Block size rules, limits and zero-filling of the XML arena.
#include "xml/xml_arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace kelpo {
namespace {

TEST(XmlArena, BlockSizeFollowsTheRequestWithinLimits)
{
    EXPECT_EQ(XmlArena(0).BlockSize(), 4096u);
    EXPECT_EQ(XmlArena(1).BlockSize(), 1024u);
    EXPECT_EQ(XmlArena(1023).BlockSize(), 1024u);
    EXPECT_EQ(XmlArena(1024).BlockSize(), 1024u);
    EXPECT_EQ(XmlArena(5000).BlockSize(), 5000u);
    EXPECT_EQ(XmlArena(0x4000000).BlockSize(), 0x4000000u);
    EXPECT_EQ(XmlArena(0x4000001).BlockSize(), 0x4000000u);
    EXPECT_EQ(XmlArena(XmlArena::kDocumentBlockSize).BlockSize(), 0x400000u);
}

TEST(XmlArena, RequestOfBlockSizeOrMoreFails)
{
    XmlArena arena(1024);
    EXPECT_EQ(arena.Allocate(1024), nullptr);
    EXPECT_EQ(arena.Allocate(5000), nullptr);
    EXPECT_EQ(arena.BlockCount(), 0u) << "a refused request takes no block";
    EXPECT_NE(arena.Allocate(1023), nullptr);
    EXPECT_EQ(arena.BlockCount(), 1u);

    // A string of block size - 1 bytes needs one more for its terminator.
    const std::string text(1023, 'x');
    EXPECT_EQ(arena.CopyString(text.data(), text.size()), nullptr);
    EXPECT_NE(arena.CopyString(text.data(), text.size() - 1), nullptr);
}

TEST(XmlArena, BlocksAreTakenLazilyAndChainedWhenFull)
{
    XmlArena arena(1024);
    EXPECT_EQ(arena.BlockCount(), 0u);
    char* first = static_cast<char*>(arena.Allocate(600));
    char* second = static_cast<char*>(arena.Allocate(300));
    EXPECT_EQ(second, first + 600) << "no padding between byte allocations";
    EXPECT_EQ(arena.BlockCount(), 1u);
    char* third = static_cast<char*>(arena.Allocate(200));
    EXPECT_EQ(arena.BlockCount(), 2u);
    std::memset(first, 'a', 600);
    std::memset(second, 'b', 300);
    std::memset(third, 'c', 200);
    EXPECT_EQ(first[599], 'a');
    EXPECT_EQ(second[0], 'b');
    EXPECT_EQ(arena.BytesUsed(), 1100u);
}

TEST(XmlArena, MemoryIsZeroFilledSoCopiesAreTerminated)
{
    XmlArena arena(0);
    const unsigned char* bytes = static_cast<const unsigned char*>(arena.Allocate(4000));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 4000; ++i) {
        ASSERT_EQ(bytes[i], 0);
    }
    const char* copy = arena.CopyString("name=value", 4);
    EXPECT_STREQ(copy, "name");
    EXPECT_STREQ(arena.CopyString("", 0), "");
}

TEST(XmlArena, ObjectsAreAlignedStringsArePacked)
{
    XmlArena arena(1024);
    arena.CopyString("abc", 3);
    void* object = arena.Allocate(24, alignof(void*));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(object) % alignof(void*), 0u);
    const char* a = arena.CopyString("x", 1);
    const char* b = arena.CopyString("y", 1);
    EXPECT_EQ(b, a + 2);
}

} // namespace
} // namespace kelpo
