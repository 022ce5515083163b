#pragma once
#include "platform/File.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// Raised when a value or a string body runs past the end of the file.
// A failed write raises it too, with the cause the system gave.
class CArchiveException : public std::runtime_error {
public:
    explicit CArchiveException(platform::FileError cause);
    platform::FileError m_cause;
};

// A buffered stream of little-endian values over an open file, shared by the
// texture file and the scores file. The archive never owns or closes the file.
class CArchive {
public:
    enum Mode { load, store };
    static constexpr size_t kBufferSize = 4096;

    CArchive(platform::File& file, Mode mode);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }

    CArchive& operator<<(uint8_t value);
    CArchive& operator<<(uint16_t value);
    CArchive& operator<<(int32_t value);
    CArchive& operator<<(const std::string& value);

    CArchive& operator>>(uint8_t& value);
    CArchive& operator>>(uint16_t& value);
    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(std::string& value);

    // Raw bytes; Read returns how many arrived (fewer only at the end of the file).
    size_t Read(void* buffer, size_t count);
    void Write(const void* buffer, size_t count);

    // Store: writes what is buffered. Either mode: forgets the file.
    void Close();

private:
    void Need(size_t count);
    void Flush();
    uint32_t ReadLength(bool allowWide, bool& wide);
    void ReadBody(std::string& value, uint32_t length, bool wide);
    void WriteLength(size_t length);

    platform::File* m_file;
    Mode m_mode;
    uint8_t m_buffer[kBufferSize];
    size_t m_current = 0;
    size_t m_limit = 0;
};
