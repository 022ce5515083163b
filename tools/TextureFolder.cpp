#include "TextureFolder.h"

#include "Png.h"
#include "TextureTool.h"
#include "platform/File.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace texture_folder {

namespace {

using texture_file::Record;

constexpr size_t kLongestNameKey = 32;
// Far above any real manifest (the game's is 3 kB), and it bounds what a
// damaged one can make the tool hold.
constexpr int64_t kLargestManifest = 8 << 20;
constexpr size_t kMostEntries = 0xFFFF;
constexpr const char* kUpright = "upright";
constexpr const char* kStored = "stored";

// Safe on any file system for any key: the index keeps duplicate keys and
// keys differing only in case apart; other bytes than letters and digits
// become their hex code.
std::string PictureName(int index, const std::string& key)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03d-", index);
    std::string name = number;
    for (size_t i = 0; i < key.size() && i < kLongestNameKey; ++i) {
        const auto c = static_cast<unsigned char>(key[i]);
        char hex[4];
        std::snprintf(hex, sizeof hex, "_%02X", c);
        name += std::isalnum(c) ? std::string(1, static_cast<char>(c)) : std::string(hex);
    }
    return name + ".png";
}

// The key as texture_tool::Escaped wrote it.
bool UnescapedKey(const std::string& text, std::string& key)
{
    key.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            key += text[i];
            continue;
        }
        unsigned value = 0;
        const char* digits = text.data() + i + 2;
        if (text.compare(i, 2, "\\x") != 0 || i + 4 > text.size() ||
            std::from_chars(digits, digits + 2, value, 16).ptr != digits + 2)
            return false;
        key += static_cast<char>(value);
        i += 3;
    }
    return true;
}

std::string ManifestHeader()
{
    return "# The texture file in file order: picture, filter (0 nearest, 1 linear, 3 mipmapped),\n"
           "# whether the picture was turned upright (the font's glyphs) or is as stored, and the key\n"
           "# (bytes other than printable ones as \\xNN). Replace a picture and pack the folder.\n";
}

struct Entry {
    std::string picture;
    int32_t filter = 0;
    bool upright = false;
    std::string key;
};

// PICTURE FILTER upright|stored KEY, one space apart; the key may be empty.
bool ParseEntry(const std::string& line, Entry& entry)
{
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos)
        return false;
    const size_t third = std::min(line.find(' ', second + 1), line.size());
    entry.picture = line.substr(0, first);
    const std::string filter = line.substr(first + 1, second - first - 1);
    const std::string turn = line.substr(second + 1, third - second - 1);
    entry.upright = turn == kUpright;
    const auto parsed = std::from_chars(filter.data(), filter.data() + filter.size(), entry.filter);
    return !entry.picture.empty() && entry.picture.find('/') == std::string::npos && parsed.ec == std::errc() &&
        parsed.ptr == filter.data() + filter.size() && (entry.upright || turn == kStored) &&
        UnescapedKey(third < line.size() ? line.substr(third + 1) : std::string(), entry.key);
}

bool ReadManifest(const std::string& folder, std::vector<Entry>& entries, std::string& problem)
{
    const std::string path = folder + "/" + kManifest;
    platform::File in;
    if (!in.Open(path, platform::File::modeRead)) {
        problem = path + ": cannot be read; export a texture file into the folder first";
        return false;
    }
    if (in.Length() > kLargestManifest) {
        problem = path + ": larger than any texture file's manifest (8 MB)";
        return false;
    }
    std::string line;
    for (int number = 1; in.ReadLine(line, kLargestManifest); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        if (entries.size() == kMostEntries) {
            problem = path + " line " + std::to_string(number) + ": a texture file holds at most 65535 pictures";
            return false;
        }
        entries.emplace_back();
        if (!ParseEntry(line, entries.back())) {
            problem = path + " line " + std::to_string(number) + ": expected PICTURE FILTER upright|stored KEY";
            return false;
        }
    }
    return true;
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The picture as the record it stands for, refused when no texture may have its size.
bool ReadPicture(const std::string& folder, const Entry& entry, Record& record, std::string& problem)
{
    const std::string path = folder + "/" + entry.picture;
    PngImage image;
    std::string error;
    if (!ReadPng(path, image, texture_file::kMaxPixelBytes / 3, error)) {
        problem = error.empty() ? path + ": " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                " pixels is too large for a texture (at most 65536 pixels, as 256 x 256)"
                                : path + ": not a readable PNG (" + error + ")";
        return false;
    }
    if ((entry.filter == 0 || entry.filter == 1) && !(PowerOfTwo(image.width) && PowerOfTwo(image.height))) {
        problem = path + ": " + std::to_string(image.width) + " x " + std::to_string(image.height) + " with filter " +
            std::to_string(entry.filter) + ": nearest and linear textures need sides that are powers of two";
        return false;
    }
    record.key = entry.key;
    record.filter = entry.filter;
    record.width = entry.upright ? image.height : image.width;
    record.height = entry.upright ? image.width : image.height;
    record.pixels = entry.upright ? texture_tool::Transposed(image.rgb, image.width, image.height) : image.rgb;
    return true;
}

} // namespace

bool Export(const std::string& file, const std::string& folder, std::string& problem)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        problem = folder + ": cannot be made: " + error.message();
        return false;
    }
    std::ostringstream manifest;
    manifest << ManifestHeader();
    const bool read = texture_tool::ForEachRecord(
        file,
        [&](int index, const Record& record, std::string& failure) {
            const std::string name = PictureName(index, record.key);
            const texture_tool::Picture picture = texture_tool::Viewed(record);
            if (!WritePng(folder + "/" + name, picture.rgb, picture.width, picture.height)) {
                failure = folder + "/" + name + ": cannot be written";
                return false;
            }
            manifest << name << ' ' << record.filter << ' ' << (texture_tool::IsGlyph(record.key) ? kUpright : kStored)
                     << ' ' << texture_tool::Escaped(record.key) << '\n';
            return true;
        },
        problem);
    if (!read)
        return false;
    std::ofstream out(folder + "/" + kManifest, std::ios::binary);
    if (!(out << manifest.str()) || !out.flush()) {
        problem = folder + "/" + kManifest + ": cannot be written";
        return false;
    }
    return true;
}

bool Pack(const std::string& folder, const std::string& file, std::string& problem)
{
    std::vector<Entry> entries;
    if (!ReadManifest(folder, entries, problem))
        return false;
    std::vector<Record> records(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        if (!ReadPicture(folder, entries[i], records[i], problem))
            return false;
    return texture_tool::WriteTextures(file, records, problem);
}

} // namespace texture_folder
