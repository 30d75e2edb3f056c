// Controls that only show: strings, prompts, images, the frames of custom and
// OLE controls, and a plain widget for the types without a view of their own.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/Justification.h"
#include "platform/ui/view/Looks.h"
#include "platform/ui/view/PictureAnimation.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

namespace platform {
namespace {

// A label whose text may be turned (tenths of a degree, anticlockwise).
class TurnedLabel : public QLabel {
public:
    using QLabel::QLabel;
    void setAngle(int tenths) {
        tenths_ = tenths;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (tenths_ % 3600 == 0) return QLabel::paintEvent(event);
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.translate(rect().center());
        p.rotate(-tenths_ / 10.0);
        const QRect turned(-width(), -height(), 2 * width(), 2 * height());
        p.drawText(turned, Qt::AlignCenter, text());
    }

private:
    int tenths_ = 0;
};

class LabelView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        label_ = new TurnedLabel(parent);
        return label_;
    }

protected:
    bool applyOwn(Long prop) override {
        if (justification_.take(model(), number(), prop)) {
            label_->setAlignment(justification_.alignment());
            const int offset = unitsToPixels(justification_.offset(model(), number()), 0).width();
            label_->setContentsMargins(justification_.margins(offset));
            return true;
        }
        // A transparent string is drawn on what lies under it, and so is clicked.
        if (prop == PROP::Trn && control().type != CREATE::prompt)
            label_->setAttribute(Qt::WA_TransparentForMouseEvents, model().numberProperty(number(), prop) != 0);
        if (prop != PROP::Angle) return false;
        label_->setAngle(model().numberProperty(number(), prop));
        return true;
    }
    // A string with a variable shows the variable, as wide as its picture allows.
    void showText() override {
        const Control& c = control();
        const std::string text = model().property(number(), PROP::Text);
        if (!c.spec || !c.spec->use) return label_->setText(withoutMnemonic(text));
        const std::size_t width = pictureWidth(text);
        label_->setText(toQString(width > 0 ? c.screenText.substr(0, width) : c.screenText));
    }

private:
    TurnedLabel* label_ = nullptr;
    Justification justification_;
};

// An image: its text names the file (or the drawn "~" icon); stretched over
// its size unless tiled or centred; a natural size is the first frame's. An
// animated picture plays its frames, from the first each time it is shown.
class PictureWidget : public QWidget {
public:
    using QWidget::QWidget;
    void showPictures(PictureFrames frames, PictureMode mode) {
        mode_ = mode;
        animation_.play(std::move(frames));
    }
    void setMode(PictureMode mode) {
        mode_ = mode;
        update();
    }
    int frame() const { return animation_.frame(); }
    QSize sizeHint() const override {
        const QPixmap picture = animation_.picture();
        return picture.isNull() ? QSize(16, 16) : picture.size();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintPicture(p, rect(), animation_.picture(), mode_);
    }

private:
    PictureAnimation animation_{[this] { update(); }};
    PictureMode mode_ = PictureMode::Stretched;
};

class ImageView : public ControlView {
public:
    using ControlView::ControlView;

    // A picture lies over what it decorates: the mouse reaches what is under it.
    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        picture_ = new PictureWidget(parent);
        picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
        return picture_;
    }
    int pictureFrame() const override { return picture_->frame(); }

protected:
    bool applyOwn(Long prop) override {
        if (prop != PROP::Tiled && prop != PROP::Centered) return false;
        picture_->setMode(pictureMode(model(), number()));
        return true;
    }
    void showText() override {
        picture_->showPictures(picturesFor(clip(model().property(number(), PROP::Text))),
                               pictureMode(model(), number()));
    }

private:
    PictureWidget* picture_ = nullptr;
};

// Custom and OLE controls hold objects the layer cannot run: their place shows.
class ObjectView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        return frame;
    }
};

class PlainView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override { return new QWidget(parent); }
};

}  // namespace

std::unique_ptr<ControlView> makeLabelView(WindowView& w, Long n) { return std::make_unique<LabelView>(w, n); }
std::unique_ptr<ControlView> makeImageView(WindowView& w, Long n) { return std::make_unique<ImageView>(w, n); }
std::unique_ptr<ControlView> makeObjectView(WindowView& w, Long n) { return std::make_unique<ObjectView>(w, n); }
std::unique_ptr<ControlView> makePlainView(WindowView& w, Long n) { return std::make_unique<PlainView>(w, n); }

}  // namespace platform
