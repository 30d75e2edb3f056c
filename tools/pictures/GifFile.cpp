#include "GifFile.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace {

using Bytes = QByteArray;
constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kLargestCode = 4095;
constexpr unsigned kTransparent = 0;

bool opaque(QRgb pixel) { return qAlpha(pixel) >= 128; }

// Five bits a channel: colours that close share a bin.
int binOf(QRgb pixel) { return (qRed(pixel) >> 3) << 10 | (qGreen(pixel) >> 3) << 5 | (qBlue(pixel) >> 3); }

class Palette {
public:
    explicit Palette(const std::vector<QImage>& frames) {
        struct Bin {
            long count = 0, red = 0, green = 0, blue = 0;
        };
        std::map<int, Bin> bins;
        for (const QImage& frame : frames)
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x) {
                    const QRgb pixel = frame.pixel(x, y);
                    if (!opaque(pixel)) continue;
                    Bin& bin = bins[binOf(pixel)];
                    ++bin.count, bin.red += qRed(pixel), bin.green += qGreen(pixel), bin.blue += qBlue(pixel);
                }
        std::vector<Bin> used;
        for (const auto& [key, bin] : bins) used.push_back(bin);
        std::sort(used.begin(), used.end(), [](const Bin& a, const Bin& b) { return a.count > b.count; });
        used.resize(std::min<std::size_t>(used.size(), 255));
        for (const Bin& bin : used)
            colours_.push_back(qRgb(static_cast<int>(bin.red / bin.count), static_cast<int>(bin.green / bin.count),
                                    static_cast<int>(bin.blue / bin.count)));
        nearest_.fill(-1);
    }

    // The colour table's 256 entries, the transparent one first.
    Bytes table() const {
        Bytes bytes(3, '\0');
        for (const QRgb colour : colours_) {
            bytes += char(qRed(colour));
            bytes += char(qGreen(colour));
            bytes += char(qBlue(colour));
        }
        bytes.resize(256 * 3, '\0');
        return bytes;
    }

    unsigned char indexOf(QRgb pixel) {
        if (!opaque(pixel)) return kTransparent;
        int& nearest = nearest_[static_cast<std::size_t>(binOf(pixel))];
        if (nearest < 0) nearest = closest(pixel);
        return static_cast<unsigned char>(nearest + 1);
    }

private:
    int closest(QRgb pixel) const {
        int best = 0;
        long bestDistance = -1;
        for (std::size_t n = 0; n < colours_.size(); ++n) {
            const long dr = qRed(pixel) - qRed(colours_[n]), dg = qGreen(pixel) - qGreen(colours_[n]),
                       db = qBlue(pixel) - qBlue(colours_[n]);
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) best = static_cast<int>(n), bestDistance = distance;
        }
        return best;
    }

    std::vector<QRgb> colours_;
    std::array<int, 32768> nearest_{};
};

void addShort(Bytes& out, int value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

// Codes of varying width, least significant bit first, in blocks of 255.
class CodeWriter {
public:
    void write(int code, int width) {
        bits_ |= static_cast<unsigned long>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_ += char(bits_ & 0xFF);
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    Bytes blocks() {
        if (count_ > 0) bytes_ += char(bits_ & 0xFF);
        Bytes out;
        for (qsizetype at = 0; at < bytes_.size(); at += 255) {
            const Bytes block = bytes_.mid(at, 255);
            out += char(block.size());
            out += block;
        }
        return out + '\0';
    }

private:
    Bytes bytes_;
    unsigned long bits_ = 0;
    int count_ = 0;
};

// The indices LZW-compressed, as a GIF decoder widens its codes.
Bytes compressed(const std::vector<unsigned char>& indices) {
    CodeWriter codes;
    std::map<std::pair<int, int>, int> known;
    int width = kMinCodeSize + 1, largest = kClearCode + 1;
    codes.write(kClearCode, width);
    int run = -1;
    for (const unsigned char index : indices) {
        if (run < 0) {
            run = index;
            continue;
        }
        if (const auto found = known.find({run, index}); found != known.end()) {
            run = found->second;
            continue;
        }
        codes.write(run, width);
        known[{run, index}] = ++largest;
        if (largest >= (1 << width)) ++width;
        if (largest == kLargestCode) {
            codes.write(kClearCode, width);
            known.clear();
            width = kMinCodeSize + 1;
            largest = kClearCode + 1;
        }
        run = index;
    }
    codes.write(run, width);
    codes.write(kClearCode, width);
    codes.write(kClearCode + 1, kMinCodeSize + 1);
    return codes.blocks();
}

Bytes frameOf(const QImage& frame, Palette& palette, int hundredths) {
    Bytes out("\x21\xF9\x04", 3);
    out += char(0x09);  // restored to transparent after it, the transparent index given
    addShort(out, hundredths);
    out += char(kTransparent);
    out += '\0';
    out += char(0x2C);
    addShort(out, 0);
    addShort(out, 0);
    addShort(out, frame.width());
    addShort(out, frame.height());
    out += '\0';
    out += char(kMinCodeSize);
    std::vector<unsigned char> indices;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) indices.push_back(palette.indexOf(frame.pixel(x, y)));
    return out + compressed(indices);
}

}  // namespace

bool writeGif(const QString& path, const std::vector<QImage>& frames, int hundredthsEach) {
    if (frames.empty()) return false;
    std::vector<QImage> argb;
    for (const QImage& frame : frames) argb.push_back(frame.convertToFormat(QImage::Format_ARGB32));
    Palette palette(argb);
    Bytes out("GIF89a");
    addShort(out, argb.front().width());
    addShort(out, argb.front().height());
    out += char(0xF7);  // a table of 256 colours
    out += '\0';
    out += '\0';
    out += palette.table();
    if (argb.size() > 1) out += Bytes("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);  // loops for ever
    for (const QImage& frame : argb) out += frameOf(frame, palette, hundredthsEach);
    out += char(0x3B);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}
