// Block allocator that holds every element, attribute and string of one XML document.
// Memory is only ever released all at once, when the arena is destroyed.
#pragma once

#include <cstddef>

namespace kelpo {

class XmlArena {
public:
    // The block size every document asks for. The fuzz build asks for less: its inputs stay far
    // below either size, and a large block costs the address sanitizer a mapping per document.
#ifdef KELPO_XML_DOCUMENT_BLOCK_SIZE
    static constexpr std::size_t kDocumentBlockSize = KELPO_XML_DOCUMENT_BLOCK_SIZE;
#else
    static constexpr std::size_t kDocumentBlockSize = 0x400000;
#endif

    // The first block is taken on the first allocation, not here.
    explicit XmlArena(std::size_t requestedBlockSize);
    ~XmlArena();
    XmlArena(const XmlArena&) = delete;
    XmlArena& operator=(const XmlArena&) = delete;

    // Zero-filled bytes, or nullptr when the request is as large as the block size
    // (or larger) or memory is exhausted. Only objects ask for an alignment; strings
    // are packed without padding.
    void* Allocate(std::size_t size, std::size_t alignment = 1);

    // A copy of length bytes followed by a terminating zero, or nullptr.
    char* CopyString(const char* bytes, std::size_t length);

    std::size_t BlockSize() const { return blockSize_; }
    std::size_t BlockCount() const { return blockCount_; }
    // Bytes handed out so far, padding included; lets callers see whether an
    // update reused storage or took more.
    std::size_t BytesUsed() const { return bytesUsed_; }

private:
    struct Block;

    bool StartNewBlock();

    std::size_t blockSize_;
    Block* current_ = nullptr;
    std::size_t usedInCurrent_ = 0;
    std::size_t blockCount_ = 0;
    std::size_t bytesUsed_ = 0;
};

} // namespace kelpo
