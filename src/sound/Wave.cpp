#include "sound/Wave.h"

#include "app/Assert.h"

namespace {

uint16_t Get16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t Get32(const uint8_t* bytes) { return Get16(bytes) | static_cast<uint32_t>(Get16(bytes + 2)) << 16; }

} // namespace

bool CWave::Open(const std::string& fileName)
{
    if (m_file.Open(fileName) && FindRiff() && ReadFormat() && FindData())
        return true;
    m_file.Close();
    return false;
}

bool CWave::FindRiff()
{
    m_riff = {};
    return m_file.Descend(m_riff) && m_riff.id == platform::FourCC("RIFF") &&
        m_riff.formType == platform::FourCC("WAVE");
}

// A 16-byte chunk has no extra-data size, which is then 0; the chunk may
// be the last thing in the file, so nothing past it is read.
bool CWave::ReadFormat()
{
    m_chunk = {};
    m_chunk.id = platform::FourCC("fmt ");
    uint8_t bytes[18] = {};
    if (!m_file.FindChunk(m_chunk, m_riff) || m_chunk.size < 16)
        return false;
    const size_t want = m_chunk.size < sizeof bytes ? m_chunk.size : sizeof bytes;
    if (m_file.Read(bytes, want) != want)
        return false;
    m_format.formatTag = Get16(bytes);
    m_format.channels = Get16(bytes + 2);
    m_format.samplesPerSec = Get32(bytes + 4);
    m_format.avgBytesPerSec = Get32(bytes + 8);
    m_format.blockAlign = Get16(bytes + 12);
    m_format.bitsPerSample = Get16(bytes + 14);
    m_format.extraSize = Get16(bytes + 16);
    return true;
}

// The search starts again at the first sub-chunk, so "data" may come before
// "fmt ". A size running past the end of the file is refused here, before
// anyone makes room for it.
bool CWave::FindData()
{
    m_chunk = {};
    m_chunk.id = platform::FourCC("data");
    return m_file.Seek(static_cast<uint64_t>(m_riff.dataOffset) + 4) && m_file.FindChunk(m_chunk, m_riff) &&
        static_cast<int64_t>(m_chunk.dataOffset) + m_chunk.size <= m_file.Length();
}

bool CWave::Read(void* buffer, uint32_t n) { return m_file.Read(buffer, n) == n; }

bool CWave::Close()
{
    VX_ASSERT(m_file.IsOpen());
    m_file.Close();
    return true;
}
