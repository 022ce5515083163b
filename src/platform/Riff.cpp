#include "platform/Riff.h"

namespace platform {

namespace {

uint32_t LittleEndian32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
        static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

} // namespace

bool RiffFile::Open(const std::string& path)
{
    m_position = 0;
    if (!m_file.Open(path, File::modeRead))
        return false;
    m_length = m_file.Length();
    return true;
}

void RiffFile::Close() { m_file.Close(); }

size_t RiffFile::Read(void* buffer, size_t count)
{
    size_t got = m_file.Read(buffer, count);
    m_position += got;
    return got;
}

bool RiffFile::Seek(uint64_t offset)
{
    if (offset > static_cast<uint64_t>(m_length) || !m_file.Seek(static_cast<int64_t>(offset)))
        return false;
    m_position = offset;
    return true;
}

bool RiffFile::ReadHeader(RiffChunk& chunk)
{
    uint8_t header[8];
    if (Read(header, sizeof header) != sizeof header)
        return false;
    chunk.id = LittleEndian32(header);
    chunk.size = LittleEndian32(header + 4);
    chunk.dataOffset = static_cast<uint32_t>(m_position);
    return true;
}

bool RiffFile::Descend(RiffChunk& chunk)
{
    if (!ReadHeader(chunk))
        return false;
    if (chunk.id != FourCC("RIFF") && chunk.id != FourCC("LIST"))
        return true;
    uint8_t form[4];
    if (Read(form, sizeof form) != sizeof form)
        return false;
    chunk.formType = LittleEndian32(form);
    return true;
}

bool RiffFile::FindChunk(RiffChunk& chunk, const RiffChunk& parent)
{
    const uint64_t parentEnd = static_cast<uint64_t>(parent.dataOffset) + parent.size;
    RiffChunk found;
    while (m_position + 8 <= parentEnd && ReadHeader(found)) {
        if (found.id == chunk.id) {
            chunk = found;
            return true;
        }
        // Chunks are padded to an even length.
        if (!Seek(static_cast<uint64_t>(found.dataOffset) + found.size + (found.size & 1)))
            return false;
    }
    return false;
}

} // namespace platform
