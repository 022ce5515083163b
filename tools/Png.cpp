#include "Png.h"

#include <cstdio>
#include <png.h>

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height)
{
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<size_t>(width) * height * 3)
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
            PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, rgb.data() + static_cast<size_t>(y) * width * 3);
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0 && ok;
}
