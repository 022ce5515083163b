#pragma once
#include "platform/Audio.h"
#include "platform/Riff.h"

#include <cstdint>
#include <string>

// One WAV file, opened to hand its sample format and sample data to the
// sound library. Every failure shows only in a false result.
class CWave {
public:
    // True when the file is a RIFF/WAVE file with a "fmt " chunk of at least
    // 16 bytes and a "data" chunk lying wholly inside the file; it is then
    // positioned at the first sample byte. On failure the file is closed.
    bool Open(const std::string& fileName);
    void GetFormat(platform::WaveFormat& format) const { format = m_format; }
    uint32_t GetDataSize() const { return m_chunk.size; }
    // True only when exactly n bytes arrived.
    bool Read(void* buffer, uint32_t n);
    bool Close();

private:
    bool FindRiff();
    bool ReadFormat();
    bool FindData();

    platform::RiffFile m_file;
    platform::WaveFormat m_format;
    platform::RiffChunk m_chunk; // the "fmt " chunk while it is read, then "data"
    platform::RiffChunk m_riff;
};
