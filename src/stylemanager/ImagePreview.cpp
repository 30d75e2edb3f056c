#include "stylemanager/ImagePreview.h"

#include "platform/ui/Window.h"

#include <algorithm>

using namespace platform;

ImageSize naturalImageSize(Window& window, std::string_view file) {
    const Long probe = window.create({.type = CREATE::image, .text = std::string(file)});
    if (probe == 0) return {};
    window.setProperty(probe, PROP::NoWidth, 1);
    window.setProperty(probe, PROP::NoHeight, 1);
    const ImageSize size{window.numberProperty(probe, PROP::Width), window.numberProperty(probe, PROP::Height)};
    window.destroy(probe);
    return size;
}

namespace {

Long previewSide(Long stored, Byte inPercentage, Long natural, Long box) {
    const Long wanted = stored == 0 ? natural : inPercentage != 0 ? box * stored / 100 : stored;
    return std::clamp<Long>(wanted, 0, box);
}

}  // namespace

void previewImage(Window& window, const IMAGEQUEUERecord& image) {
    const Long picture = window.equate("?IMAGE");
    const Long box = window.equate("?IMAGEBOX");
    const Long boxWidth = window.numberProperty(box, PROP::Width);
    const Long boxHeight = window.numberProperty(box, PROP::Height);
    const ImageSize natural = naturalImageSize(window, image.IMAGEFILE.str());
    window.setProperty(picture, PROP::Text, image.IMAGEFILE.str());
    window.setProperty(picture, PROP::Centered, image.STYLE == 2 ? 1 : 0);
    window.setProperty(picture, PROP::Tiled, image.STYLE == 3 ? 1 : 0);
    window.setPosition(picture, window.numberProperty(box, PROP::Xpos), window.numberProperty(box, PROP::Ypos),
                       previewSide(image.WIDTH, image.WIDTHINPERCENTAGE, natural.width, boxWidth),
                       previewSide(image.HEIGHT, image.HEIGHTINPERCENTAGE, natural.height, boxHeight));
}
