#include "datalist/CellArena.h"

char* CellArena::Allocate(std::size_t size) {
    m_used += size;
    if (size > m_left) {
        // A block bigger than a chunk gets a chunk of its own; the current one stays open.
        if (size > m_chunkSize / 4 && size > kFirstChunk) {
            // Not make_unique: that would zero (and so touch) every byte.
            m_chunks.emplace_back(new char[size]);
            return m_chunks.back().get();
        }
        m_chunks.emplace_back(new char[m_chunkSize]);
        m_next = m_chunks.back().get();
        m_left = m_chunkSize;
        if (m_chunkSize < kLargestChunk) m_chunkSize *= 2;
    }
    char* block = m_next;
    m_next += size;
    m_left -= size;
    return block;
}

bool CellArena::Resize(char* block, std::size_t size, std::size_t newSize) {
    if (!block || block + size != m_next || newSize > size + m_left) return false;
    m_next = block + newSize;
    m_left = m_left + size - newSize;
    m_used = m_used + newSize - size;
    return true;
}

void CellArena::Clear() {
    m_chunks.clear();
    m_next = nullptr;
    m_left = 0;
    m_chunkSize = kFirstChunk;
    m_used = 0;
}
