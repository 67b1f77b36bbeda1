#pragma once
#include <cstddef>
#include <memory>
#include <vector>

// Bytes for the cells of a list, handed out from a few large chunks instead of one heap block
// per row or per cell: filling a list of a million rows costs a few hundred allocations, and
// the rows cost their bytes and little more. Nothing is freed one by one; the list counts what
// it abandoned and starts a fresh arena when that grows too large.
class CellArena {
public:
    CellArena() = default;
    CellArena(const CellArena&) = delete;
    CellArena& operator=(const CellArena&) = delete;
    CellArena(CellArena&&) noexcept = default;
    CellArena& operator=(CellArena&&) noexcept = default;

    // `size` bytes that stay where they are until the arena is cleared or destroyed.
    char* Allocate(std::size_t size);
    // Grows or shrinks `block` (of `size` bytes) to `newSize` where it stands; only the block
    // handed out last can, and only while its chunk has room. False when it cannot.
    bool Resize(char* block, std::size_t size, std::size_t newSize);
    void Clear();
    // Bytes handed out since the last Clear.
    std::size_t Used() const { return m_used; }

private:
    struct FreeChunk {
        void operator()(char* chunk) const;
    };
    // A chunk of at least `size` bytes (more when rounded up to whole large pages).
    char* NewChunk(std::size_t& size);

    std::vector<std::unique_ptr<char, FreeChunk>> m_chunks;
    char* m_next = nullptr;
    std::size_t m_left = 0;
    std::size_t m_chunkSize = kFirstChunk;
    std::size_t m_used = 0;

    static constexpr std::size_t kFirstChunk = 4096;
    static constexpr std::size_t kLargestChunk = std::size_t{2} << 20;
};
