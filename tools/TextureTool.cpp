#include "TextureTool.h"
#include "InputFile.h"

#include "platform/File.h"
#include "render/Archive.h"

#include <cstdio>

namespace texture_tool {

namespace {

constexpr size_t kLongestKeyShown = 40;

std::string Describe(int index, int count, const std::string& key)
{
    std::string text = "record " + std::to_string(index) + " of " + std::to_string(count);
    return key.empty() ? text : text + " (\"" + Printable(key) + "\")";
}

bool ReadAll(CArchive& ar, const std::string& path, const Visit& visit, std::string& problem)
{
    int count = 0, index = 0;
    texture_file::Record record;
    try {
        count = texture_file::ReadCount(ar);
        for (; index < count; ++index) {
            record.key.clear();
            texture_file::ReadRecord(ar, index, record);
            if (!visit(index, record, problem))
                return false;
        }
        return true;
    } catch (const texture_file::Damaged& damaged) {
        // Described here rather than by what(): a foreign file's key may hold any byte.
        problem = path + ": " + Describe(index, count, damaged.m_key) + ": size " + std::to_string(record.width) +
            " x " + std::to_string(record.height) + " is impossible for a texture";
    } catch (const CArchiveException&) {
        problem = path +
            (count == 0 ? ": too short to hold a record count; not a texture file"
                        : ": " + Describe(index, count, record.key) + ": the file ends early");
    }
    return false;
}

} // namespace

std::string Escaped(const std::string& key)
{
    std::string text;
    for (const char ch : key) {
        const auto c = static_cast<unsigned char>(ch);
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        text += c > 0x20 && c < 0x7F && c != '\\' ? std::string(1, ch) : std::string(hex);
    }
    return text;
}

std::string Printable(const std::string& key)
{
    if (key.size() <= kLongestKeyShown)
        return Escaped(key);
    return Escaped(key.substr(0, kLongestKeyShown)) + "...";
}

bool ForEachRecord(const std::string& path, const Visit& visit, std::string& problem)
{
    platform::File file;
    if (!OpenInputFile(path, "a texture file", file, problem))
        return false;
    CArchive ar(file, CArchive::load);
    return ReadAll(ar, path, visit, problem);
}

bool WriteTextures(const std::string& path, const std::vector<texture_file::Record>& records, std::string& problem)
{
    if (records.size() > 0xFFFF) {
        problem = path + ": " + std::to_string(records.size()) + " textures; a texture file holds at most 65535";
        return false;
    }
    const platform::FileError cause = platform::ReplaceFile(path, [&records](platform::File& file) {
        try {
            CArchive ar(file, CArchive::store);
            texture_file::Write(ar, records);
            ar.Close();
        } catch (const CArchiveException& failure) {
            return failure.m_cause;
        }
        return platform::FileError::none;
    });
    if (cause != platform::FileError::none)
        problem = path + " cannot be written: " + platform::FileErrorMessage(cause, path);
    return cause == platform::FileError::none;
}

bool IsGlyph(const std::string& key) { return key.size() == 1; }

std::vector<uint8_t> Transposed(const std::vector<uint8_t>& rgb, int width, int height)
{
    std::vector<uint8_t> turned(rgb.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                turned[(static_cast<size_t>(x) * height + y) * 3 + c] =
                    rgb[(static_cast<size_t>(y) * width + x) * 3 + c];
    return turned;
}

Picture Viewed(const texture_file::Record& record)
{
    if (!IsGlyph(record.key))
        return {record.width, record.height, record.pixels};
    return {record.height, record.width, Transposed(record.pixels, record.width, record.height)};
}

bool List(const std::string& path, std::ostream& out, std::string& problem)
{
    return ForEachRecord(
        path,
        [&out](int index, const texture_file::Record& r, std::string&) {
            char line[256];
            std::snprintf(line, sizeof line, "%5d %-12s %d %3d %3d\n", index, Printable(r.key).c_str(), r.filter,
                r.width, r.height);
            out << line;
            return true;
        },
        problem);
}

} // namespace texture_tool
