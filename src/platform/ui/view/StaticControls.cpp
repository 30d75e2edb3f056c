// Controls that only show: strings, prompts, images, and a plain widget for
// the types without a view of their own.
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/view/ControlViews.h"

#include <QLabel>

namespace platform {
namespace {

class LabelView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        label_ = new QLabel(parent);
        return label_;
    }

protected:
    void showText() override { label_->setText(withoutMnemonic(model().property(number(), PROP::Text))); }

private:
    QLabel* label_ = nullptr;
};

class ImageView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        auto* image = new QLabel(parent);
        image->setPixmap(iconFor(s.icon).pixmap(32, 32));
        return image;
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
std::unique_ptr<ControlView> makePlainView(WindowView& w, Long n) { return std::make_unique<PlainView>(w, n); }

}  // namespace platform
