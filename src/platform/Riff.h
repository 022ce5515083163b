#pragma once
#include "platform/File.h"

#include <cstdint>
#include <string>

namespace platform {

constexpr uint32_t FourCC(const char (&code)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) |
        static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 8 |
        static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 16 |
        static_cast<uint32_t>(static_cast<uint8_t>(code[3])) << 24;
}

// A chunk as found in the file: dataOffset is the file offset just after its
// size field (so a "RIFF" or "LIST" chunk's data starts with its form type).
struct RiffChunk {
    uint32_t id = 0;
    uint32_t size = 0;
    uint32_t formType = 0;
    uint32_t dataOffset = 0;
    uint32_t flags = 0;
};

// A file of RIFF chunks, read forward chunk by chunk.
class RiffFile {
public:
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file.IsOpen(); }

    // Reads the chunk at the current position and stays at its data (after
    // the form type of a "RIFF" or "LIST" chunk).
    bool Descend(RiffChunk& chunk);
    // Searches from the current position for the sub-chunk of parent named
    // chunk.id, skipping the others, and stays at its data.
    bool FindChunk(RiffChunk& chunk, const RiffChunk& parent);
    bool Seek(uint64_t offset);
    size_t Read(void* buffer, size_t count);
    int64_t Length() const { return m_length; }

private:
    bool ReadHeader(RiffChunk& chunk);

    File m_file;
    uint64_t m_position = 0;
    int64_t m_length = 0;
};

} // namespace platform
