#include "TextureSheet.h"

#include "Png.h"
#include "TextureTool.h"
#include "render/BuiltinFont.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace texture_sheet {

namespace {

using texture_tool::Picture;

constexpr int kThumb = 128; // the picture area of a cell
constexpr int kPad = 8;
constexpr int kLabelLines = 2;
constexpr int kCellWidth = kThumb + 2 * kPad;
constexpr int kCellHeight = kThumb + 2 * kPad + kLabelLines * builtin_font::kCell;
constexpr int kColumns = 8;
// Keeps the sheet (and what is held for it) to a sensible size whatever the file.
constexpr int kMostTextures = 1024;
constexpr uint8_t kBackdrop = 48, kFrame = 96, kKeyInk = 230, kSizeInk = 150;

struct Entry {
    std::string label, size;
    Picture thumb;
};

// The source pixels [first, last) behind thumbnail pixel i.
struct Span {
    int first, last;
};
Span Source(int i, int down, int up, int limit)
{
    const int first = i * down / up;
    return {first, std::min(limit, std::max(first + 1, (i + 1) * down / up))};
}

// Whole-number scaling only, so pixels stay sharp: a box average down,
// repeated pixels up.
Picture Thumbnail(const Picture& full)
{
    const int larger = std::max(full.width, full.height);
    const int down = (larger + kThumb - 1) / kThumb;
    const int up = down > 1 ? 1 : std::clamp(kThumb / larger, 1, 2);
    Picture thumb{std::max(1, full.width * up / down), std::max(1, full.height * up / down), {}};
    thumb.rgb.resize(static_cast<size_t>(thumb.width) * thumb.height * 3);
    for (int y = 0; y < thumb.height; ++y)
        for (int x = 0; x < thumb.width; ++x) {
            const Span rows = Source(y, down, up, full.height), cols = Source(x, down, up, full.width);
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int sy = rows.first; sy < rows.last; ++sy)
                    for (int sx = cols.first; sx < cols.last; ++sx)
                        sum += full.rgb[(static_cast<size_t>(sy) * full.width + sx) * 3 + c];
                const int n = (rows.last - rows.first) * (cols.last - cols.first);
                thumb.rgb[(static_cast<size_t>(y) * thumb.width + x) * 3 + c] = static_cast<uint8_t>(sum / n);
            }
        }
    return thumb;
}

class Sheet {
public:
    explicit Sheet(int cells)
        : m_width(kColumns * kCellWidth)
        , m_height(std::max(1, (cells + kColumns - 1) / kColumns) * kCellHeight)
        , m_rgb(static_cast<size_t>(m_width) * m_height * 3, kBackdrop)
    {
    }

    void Place(int cell, const Entry& entry)
    {
        const int left = cell % kColumns * kCellWidth + kPad, top = cell / kColumns * kCellHeight + kPad;
        Fill(left - 1, top - 1, kThumb + 2, kThumb + 2, kFrame);
        Fill(left, top, kThumb, kThumb, 0);
        const Picture& p = entry.thumb;
        const int x0 = left + (kThumb - p.width) / 2, y0 = top + (kThumb - p.height) / 2;
        for (int y = 0; y < p.height; ++y)
            std::copy_n(&p.rgb[static_cast<size_t>(y) * p.width * 3], p.width * 3, &m_rgb[Offset(x0, y0 + y)]);
        Print(left, top + kThumb + kPad / 2, entry.label, kKeyInk);
        Print(left, top + kThumb + kPad / 2 + builtin_font::kCell, entry.size, kSizeInk);
    }

    bool Save(const std::string& path) const { return WritePng(path, m_rgb, m_width, m_height); }

private:
    size_t Offset(int x, int y) const { return (static_cast<size_t>(y) * m_width + x) * 3; }

    void Fill(int left, int top, int width, int height, uint8_t value)
    {
        for (int y = top; y < top + height; ++y)
            std::fill_n(&m_rgb[Offset(left, y)], width * 3, value);
    }

    void Print(int left, int top, const std::string& text, uint8_t ink)
    {
        const size_t fits = kThumb / builtin_font::kCell;
        for (size_t i = 0; i < text.size() && i < fits; ++i)
            for (int y = 0; y < builtin_font::kCell; ++y)
                for (int x = 0; x < builtin_font::kCell; ++x)
                    if (builtin_font::GlyphPixel(static_cast<unsigned char>(text[i]), x, y))
                        std::fill_n(
                            &m_rgb[Offset(left + static_cast<int>(i) * builtin_font::kCell + x, top + y)], 3, ink);
    }

    int m_width, m_height;
    std::vector<uint8_t> m_rgb;
};

} // namespace

bool Make(const std::string& file, const std::string& png, std::string& problem)
{
    std::vector<Entry> entries;
    const bool read = texture_tool::ForEachRecord(
        file,
        [&](int index, const texture_file::Record& record, std::string& failure) {
            if (index >= kMostTextures) {
                failure = file + ": more than " + std::to_string(kMostTextures) + " textures; too many for one sheet";
                return false;
            }
            entries.push_back({texture_tool::Printable(record.key),
                std::to_string(record.width) + "x" + std::to_string(record.height) + " f" +
                    std::to_string(record.filter),
                Thumbnail(texture_tool::Viewed(record))});
            return true;
        },
        problem);
    if (!read)
        return false;
    Sheet sheet(static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i)
        sheet.Place(static_cast<int>(i), entries[i]);
    if (!sheet.Save(png)) {
        problem = png + ": cannot be written";
        return false;
    }
    return true;
}

} // namespace texture_sheet
