// Block allocator of the XML model: zero-filled blocks chained and released together.
#include "xml/xml_arena.h"

#include <cstdlib>
#include <cstring>

namespace kelpo {

namespace {

constexpr std::size_t kDefaultBlockSize = 4096;
constexpr std::size_t kSmallestBlockSize = 1024;
constexpr std::size_t kLargestBlockSize = 0x4000000;

std::size_t ChooseBlockSize(std::size_t requested)
{
    if (requested == 0) {
        return kDefaultBlockSize;
    }
    if (requested < kSmallestBlockSize) {
        return kSmallestBlockSize;
    }
    return requested > kLargestBlockSize ? kLargestBlockSize : requested;
}

} // namespace

// The header sits in front of the usable bytes so that a request of
// blockSize - 1 bytes still fits in one block.
struct alignas(std::max_align_t) XmlArena::Block {
    Block* previous;
};

XmlArena::XmlArena(std::size_t requestedBlockSize)
    : blockSize_(ChooseBlockSize(requestedBlockSize))
{
}

XmlArena::~XmlArena()
{
    while (current_ != nullptr) {
        Block* previous = current_->previous;
        std::free(current_);
        current_ = previous;
    }
}

bool XmlArena::StartNewBlock()
{
    // calloc gives zeroed memory, so every string copied with one spare byte is
    // already terminated.
    void* memory = std::calloc(1, sizeof(Block) + blockSize_);
    if (memory == nullptr) {
        return false;
    }
    Block* block = static_cast<Block*>(memory);
    block->previous = current_;
    current_ = block;
    usedInCurrent_ = 0;
    ++blockCount_;
    return true;
}

void* XmlArena::Allocate(std::size_t size, std::size_t alignment)
{
    if (size >= blockSize_ || alignment == 0 || alignment > alignof(std::max_align_t)) {
        return nullptr;
    }
    std::size_t padding = 0;
    if (current_ != nullptr) {
        padding = (alignment - usedInCurrent_ % alignment) % alignment;
    }
    if (current_ == nullptr || blockSize_ - usedInCurrent_ < size + padding) {
        if (!StartNewBlock()) {
            return nullptr;
        }
        padding = 0;
    }
    char* start = reinterpret_cast<char*>(current_ + 1) + usedInCurrent_ + padding;
    usedInCurrent_ += padding + size;
    bytesUsed_ += padding + size;
    return start;
}

char* XmlArena::CopyString(const char* bytes, std::size_t length)
{
    if (length >= blockSize_) {
        return nullptr;
    }
    char* copy = static_cast<char*>(Allocate(length + 1));
    if (copy != nullptr && length != 0) {
        std::memcpy(copy, bytes, length);
    }
    return copy;
}

} // namespace kelpo
