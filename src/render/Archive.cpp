#include "render/Archive.h"
#include "platform/Trace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const char* CauseName(platform::FileError cause)
{
    static const char* const kNames[] = {
        "none",
        "generic",
        "fileNotFound",
        "badPath",
        "tooManyOpenFiles",
        "accessDenied",
        "invalidFile",
        "removeCurrentDir",
        "directoryFull",
        "badSeek",
        "hardIO",
        "sharingViolation",
        "lockViolation",
        "diskFull",
        "endOfFile",
    };
    return kNames[static_cast<int>(cause)];
}

// Long string bodies arrive in pieces of this size, so a length prefix that
// promises more than the file holds never allocates what it promises.
constexpr size_t kStringChunk = 65536;

// Wide characters outside the 8-bit set become '?'.
char Narrow(uint16_t unit) { return unit < 256 ? static_cast<char>(unit) : '?'; }

} // namespace

CArchiveException::CArchiveException(platform::FileError cause)
    : std::runtime_error(CauseName(cause))
    , m_cause(cause)
{
    platform::Trace("CArchive exception: %s.\n", CauseName(cause));
}

CArchive::CArchive(platform::File& file, Mode mode)
    : m_file(&file)
    , m_mode(mode)
{
    if (mode == store)
        m_limit = kBufferSize;
}

CArchive::~CArchive() = default;

void CArchive::Close()
{
    if (m_file && m_mode == store) {
        Flush();
        if (!m_file->Flush())
            throw CArchiveException(platform::FileErrorFromErrno(errno));
    }
    m_file = nullptr;
}

// Makes count bytes (1, 2 or 4) available at the current position.
void CArchive::Need(size_t count)
{
    size_t available = m_limit - m_current;
    if (available >= count)
        return;
    std::memmove(m_buffer, m_buffer + m_current, available);
    m_current = 0;
    m_limit = available;
    while (m_limit < count && m_file) {
        size_t got = m_file->Read(m_buffer + m_limit, kBufferSize - m_limit);
        if (got == 0)
            break;
        m_limit += got;
    }
    if (m_limit < count)
        throw CArchiveException(platform::FileError::endOfFile);
}

void CArchive::Flush()
{
    if (m_current > 0 && !m_file->Write(m_buffer, m_current))
        throw CArchiveException(platform::FileErrorFromErrno(errno));
    m_current = 0;
}

size_t CArchive::Read(void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    size_t fromBuffer = std::min(count, m_limit - m_current);
    std::memcpy(out, m_buffer + m_current, fromBuffer);
    m_current += fromBuffer;
    size_t done = fromBuffer;
    size_t rest = count - done;
    if (rest == 0 || !m_file)
        return done;
    if (rest >= kBufferSize)
        return done + m_file->Read(out + done, rest);
    m_current = m_limit = 0;
    while (m_limit < rest) {
        size_t got = m_file->Read(m_buffer + m_limit, kBufferSize - m_limit);
        if (got == 0)
            break;
        m_limit += got;
    }
    size_t tail = std::min(rest, m_limit);
    std::memcpy(out + done, m_buffer, tail);
    m_current = tail;
    return done + tail;
}

void CArchive::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return;
    if (count > kBufferSize - m_current) {
        Flush();
        if (count >= kBufferSize) {
            if (!m_file->Write(buffer, count))
                throw CArchiveException(platform::FileErrorFromErrno(errno));
            return;
        }
    }
    std::memcpy(m_buffer + m_current, buffer, count);
    m_current += count;
}

CArchive& CArchive::operator<<(uint8_t value)
{
    Write(&value, 1);
    return *this;
}

CArchive& CArchive::operator<<(uint16_t value)
{
    uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Write(bytes, 2);
    return *this;
}

CArchive& CArchive::operator<<(int32_t value)
{
    auto bits = static_cast<uint32_t>(value);
    uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
        static_cast<uint8_t>(bits >> 24)};
    Write(bytes, 4);
    return *this;
}

void CArchive::WriteLength(size_t length)
{
    if (length < 0xFF) {
        *this << static_cast<uint8_t>(length);
        return;
    }
    *this << static_cast<uint8_t>(0xFF);
    if (length < 0xFFFE) {
        *this << static_cast<uint16_t>(length);
        return;
    }
    *this << static_cast<uint16_t>(0xFFFF) << static_cast<int32_t>(length);
}

CArchive& CArchive::operator<<(const std::string& value)
{
    WriteLength(value.size());
    Write(value.data(), value.size());
    return *this;
}

CArchive& CArchive::operator>>(uint8_t& value)
{
    Need(1);
    value = m_buffer[m_current++];
    return *this;
}

CArchive& CArchive::operator>>(uint16_t& value)
{
    Need(2);
    value = static_cast<uint16_t>(m_buffer[m_current] | m_buffer[m_current + 1] << 8);
    m_current += 2;
    return *this;
}

CArchive& CArchive::operator>>(int32_t& value)
{
    Need(4);
    const uint8_t* b = m_buffer + m_current;
    value = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    m_current += 4;
    return *this;
}

uint32_t CArchive::ReadLength(bool allowWide, bool& wide)
{
    uint8_t small;
    *this >> small;
    if (small < 0xFF)
        return small;
    uint16_t word;
    *this >> word;
    if (word == 0xFFFF) {
        int32_t length;
        *this >> length;
        return static_cast<uint32_t>(length);
    }
    if (word == 0xFFFE && allowWide) {
        wide = true;
        return ReadLength(false, wide);
    }
    return word;
}

CArchive& CArchive::operator>>(std::string& value)
{
    bool wide = false;
    uint32_t length = ReadLength(true, wide);
    ReadBody(value, length, wide);
    return *this;
}

void CArchive::ReadBody(std::string& value, uint32_t length, bool wide)
{
    uint64_t bytes = wide ? uint64_t(length) * 2 : length;
    std::string body;
    char chunk[kStringChunk];
    while (body.size() < bytes) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(kStringChunk, bytes - body.size()));
        size_t got = Read(chunk, want);
        body.append(chunk, got);
        if (got < want)
            throw CArchiveException(platform::FileError::endOfFile);
    }
    if (!wide) {
        value = std::move(body);
        return;
    }
    value.resize(length);
    for (uint32_t i = 0; i < length; ++i)
        value[i] = Narrow(static_cast<uint16_t>(uint8_t(body[2 * i]) | uint8_t(body[2 * i + 1]) << 8));
}
