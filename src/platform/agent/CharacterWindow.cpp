#include "platform/agent/CharacterWindow.h"

#include "platform/agent/WindowShape.h"
#include "platform/text/Codepage.h"

#include <QPainter>

namespace platform::agent {

CharacterWindow::CharacterWindow(const std::string& title, std::shared_ptr<const CharacterData> data)
    : QWidget(nullptr, overlayWindowFlags()),
      data_(std::move(data)),
      masks_(data_->images.size()) {
    setWindowTitle(toQString(title));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(data_->width, data_->height);
}

void CharacterWindow::showImage(int image) {
    if (image == image_) return;
    image_ = image;
    shapeWindow(*this, maskOf(image));
    repaint();  // now, while the frame is due
}

void CharacterWindow::setSize(QSize size) {
    if (size == this->size()) return;
    resize(size);
    masks_.assign(masks_.size(), std::nullopt);
    if (image_ >= 0) shapeWindow(*this, maskOf(image_));
}

const QRegion& CharacterWindow::maskOf(int image) {
    std::optional<QRegion>& mask = masks_[image];
    if (!mask) {
        const QImage& picture = data_->images[image];
        const QSize scaled(picture.width() * width() / data_->width, picture.height() * height() / data_->height);
        mask = alphaRegion(scaled == picture.size() ? picture : picture.scaled(scaled, Qt::IgnoreAspectRatio,
                                                                                Qt::SmoothTransformation));
    }
    return *mask;
}

void CharacterWindow::paintEvent(QPaintEvent*) {
    if (image_ < 0) return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QImage& picture = data_->images[image_];
    if (size() == QSize(data_->width, data_->height)) {
        painter.drawImage(0, 0, picture);  // the usual case, and by far the quickest
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, picture.width() * width() / double(data_->width),
                             picture.height() * height() / double(data_->height)),
                      picture);
}
}  // namespace platform::agent
