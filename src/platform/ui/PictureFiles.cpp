#include "platform/ui/PictureFiles.h"

#include "platform/text/Codepage.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

// libjpeg's header wants FILE and size_t declared first.
#include <jpeglib.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

[[noreturn]] void leaveDecoding(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

void ignoreMessage(j_common_ptr) {}

bool isJpeg(const std::string& bytes) {
    return bytes.size() > 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

// Grey, YCbCr and RGB pictures; anything libjpeg refuses is no picture.
QImage decodeJpeg(const std::string& bytes) {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = leaveDecoding;
    errors.manager.output_message = ignoreMessage;
    QImage image;
    if (setjmp(errors.escape) != 0) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

// A frame that gives no time of its own shows as long as browsers show it.
constexpr std::chrono::milliseconds kUntimedFrame{100};

// Every frame Qt's readers find, in order, the format told by the bytes.
PictureFrames decodeFrames(const std::string& bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    PictureFrames frames;
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        const int delay = reader.nextImageDelay();
        frames.push_back({QPixmap::fromImage(image),
                          delay > 0 ? std::chrono::milliseconds(delay) : kUntimedFrame});
        if (!reader.supportsAnimation()) break;
    }
    return frames;
}

PictureFrames decode(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!isJpeg(bytes)) return decodeFrames(bytes);
    const QImage image = decodeJpeg(bytes);
    if (image.isNull()) return {};
    return {{QPixmap::fromImage(image), kUntimedFrame}};
}

struct Decoded {
    fs::file_time_type modified;
    PictureFrames frames;
};

std::map<std::string, Decoded>& cache() {
    static std::map<std::string, Decoded> decoded;
    return decoded;
}

std::size_t& decodings() {
    static std::size_t count = 0;
    return count;
}

}  // namespace

PictureFrames pictureFileFrames(const std::string& path) {
    if (path.empty()) return {};
    const fs::path file(toQString(path).toStdString());  // the name in the file system's UTF-8
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(file, error);
    if (error || !fs::is_regular_file(file, error)) return {};
    auto found = cache().find(path);
    if (found != cache().end() && found->second.modified == modified) return found->second.frames;
    ++decodings();
    Decoded& entry = cache()[path];
    entry = {modified, decode(file)};
    return entry.frames;
}

QPixmap pictureFile(const std::string& path) {
    const PictureFrames frames = pictureFileFrames(path);
    return frames.empty() ? QPixmap() : frames.front().picture;
}

// An icon file's header with the type 2, then its first entry, whose
// fields of planes and bits hold the hot spot.
std::optional<QPoint> cursorHotSpot(const std::string& path) {
    std::ifstream in(fs::path(toQString(path).toStdString()), std::ios::binary);
    unsigned char header[14] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    const auto word = [&header](int at) { return header[at] | header[at + 1] << 8; };
    constexpr int kCursorType = 2;
    if (word(0) != 0 || word(2) != kCursorType || word(4) == 0) return std::nullopt;
    return QPoint(word(10), word(12));
}

std::size_t picturesDecoded() { return decodings(); }

}  // namespace platform
