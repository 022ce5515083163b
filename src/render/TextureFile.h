#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class CArchive;

// The texture file's layout: a word count, then per record the key, the
// filter (0 nearest, 1 linear, 3 mipmapped), width, height and
// width x height RGB pixels, the first stored row being texture row t = 0.
// Read by the texture library and by the asset tool, written by the tool.
namespace texture_file {

constexpr const char* kPath = "DATA/TEXTURE.VXR";
constexpr size_t kMaxPixelBytes = 196608;

struct Record {
    std::string key;
    int32_t filter = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels; // width * height * 3
};

// A record that no texture may come from: its size is not positive or its
// pixels would pass the 196,608-byte limit. what() names the record.
class Damaged : public std::runtime_error {
public:
    Damaged(int index, const std::string& key, const std::string& problem);
    int m_index;
    std::string m_key;
};

uint16_t ReadCount(CArchive& ar);
// Reads record number index into record, reusing its pixel storage. Throws
// Damaged before reading the pixels of an impossible record, and
// CArchiveException when the file ends early.
void ReadRecord(CArchive& ar, int index, Record& record);

void Write(CArchive& ar, const std::vector<Record>& records);

} // namespace texture_file
