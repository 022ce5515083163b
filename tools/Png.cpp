#include "Png.h"

#include <cstdio>
#include <png.h>

namespace {

bool WriteRows(const std::string& path, const std::vector<uint8_t>& pixels, int width, int height, int channels)
{
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height * channels)
        return false;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, out);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
            channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
            PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, pixels.data() + static_cast<size_t>(y) * width * channels);
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0 && ok;
}

} // namespace

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height)
{
    return WriteRows(path, rgb, width, height, 3);
}

bool WritePngRgba(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height)
{
    return WriteRows(path, rgba, width, height, 4);
}

namespace {

// libpng's own handlers print to stderr; the reader keeps the message and
// leaves reporting to its caller.
void KeepError(png_structp png, png_const_charp message)
{
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) { }

// Any colour type becomes 8-bit RGBA, with opaque alpha where there was none.
void RequestRgba(png_structp png, png_infop info)
{
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

void OverBlack(const std::vector<uint8_t>& rgba, std::vector<uint8_t>& rgb)
{
    rgb.resize(rgba.size() / 4 * 3);
    for (size_t i = 0, o = 0; i < rgba.size(); i += 4, o += 3)
        for (int c = 0; c < 3; ++c)
            rgb[o + c] = static_cast<uint8_t>((rgba[i + c] * rgba[i + 3] + 127) / 255);
}

// Everything libpng may jump out of lives here, with no objects to unwind.
bool Decode(png_structp png, png_infop info, std::FILE* in, PngImage& image, size_t maxPixels,
    std::vector<uint8_t>& rgba, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, in);
    png_read_info(png, info);
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    if (static_cast<size_t>(image.width) * static_cast<size_t>(image.height) > maxPixels)
        return false;
    RequestRgba(png, info);
    rgba.resize(static_cast<size_t>(image.width) * image.height * 4);
    rows.resize(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[y] = rgba.data() + static_cast<size_t>(y) * image.width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool ReadPng(const std::string& path, PngImage& image, size_t maxPixels, std::string& error)
{
    image = PngImage();
    error.clear();
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        error = "cannot be opened";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, KeepError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<uint8_t> rgba;
    std::vector<png_bytep> rows;
    const bool ok = info && Decode(png, info, in, image, maxPixels, rgba, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(in);
    if (ok)
        OverBlack(rgba, image.rgb);
    return ok;
}
