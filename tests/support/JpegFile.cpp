#include "support/JpegFile.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

void writeJpeg(const std::string& path, int width, int height, Rgb left, Rgb right) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    const auto blend = [width](int x, std::uint8_t a, std::uint8_t b) {
        return static_cast<JSAMPLE>(width > 1 ? a + (b - a) * x / (width - 1) : a);
    };
    for (int x = 0; x < width; ++x) {
        row[x * 3] = blend(x, left.r, right.r);
        row[x * 3 + 1] = blend(x, left.g, right.g);
        row[x * 3 + 2] = blend(x, left.b, right.b);
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}
