#include "render/TextureFile.h"
#include "render/Archive.h"

namespace texture_file {

Damaged::Damaged(int index, const std::string& key, const std::string& problem)
    : std::runtime_error("record " + std::to_string(index) + " (\"" + key + "\"): " + problem)
    , m_index(index)
    , m_key(key)
{
}

uint16_t ReadCount(CArchive& ar)
{
    uint16_t count;
    ar >> count;
    return count;
}

namespace {

void CheckSize(int index, const Record& record)
{
    if (record.width <= 0 || record.height <= 0)
        throw Damaged(index, record.key,
            "size " + std::to_string(record.width) + " x " + std::to_string(record.height) + " is not positive");
    // Compared as pixels, so two sizes near 2^31 cannot overflow the product.
    if (int64_t(record.width) * record.height > int64_t(kMaxPixelBytes / 3))
        throw Damaged(index, record.key,
            "size " + std::to_string(record.width) + " x " + std::to_string(record.height) +
                " passes the 256 x 256 limit");
}

} // namespace

void ReadRecord(CArchive& ar, int index, Record& record)
{
    ar >> record.key >> record.filter >> record.width >> record.height;
    CheckSize(index, record);
    size_t bytes = size_t(record.width) * size_t(record.height) * 3;
    record.pixels.resize(bytes);
    if (ar.Read(record.pixels.data(), bytes) < bytes)
        throw CArchiveException(platform::FileError::endOfFile);
}

void Write(CArchive& ar, const std::vector<Record>& records)
{
    ar << static_cast<uint16_t>(records.size());
    for (const Record& record : records) {
        ar << record.key << record.filter << record.width << record.height;
        ar.Write(record.pixels.data(), record.pixels.size());
    }
}

} // namespace texture_file
