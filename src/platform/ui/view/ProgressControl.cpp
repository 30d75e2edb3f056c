// A progress bar: its value (its variable, or PROP:Progress) in its range;
// its colour is the bar's. A range without width shows an empty bar, never
// Qt's busy one.
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/Looks.h"

#include <QProgressBar>

#include <algorithm>

namespace platform {
namespace {

class ProgressView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        bar_ = new QProgressBar(parent);
        bar_->setTextVisible(false);
        return bar_;
    }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::RangeLow:
            case PROP::RangeHigh:
                showRange();
                showText();
                return true;
            case PROP::Progress:
                bar_->setValue(model().numberProperty(number(), prop));
                return true;
            default: return false;
        }
    }
    void showText() override {
        const std::string& value = control().screenText;
        if (!value.empty()) bar_->setValue(static_cast<int>(leadingNumber(value)));
    }
    void showColors() override {
        QPalette palette;  // only the bar's colour; the rest comes from the parent
        if (const QColor color = colorProperty(model(), number(), PROP::Color); color.isValid())
            palette.setColor(QPalette::Highlight, color);
        bar_->setPalette(palette);
    }

private:
    void showRange() {
        const int low = model().numberProperty(number(), PROP::RangeLow);
        const int high = model().numberProperty(number(), PROP::RangeHigh);
        bar_->setRange(low, std::max(high, low + 1));
    }

    QProgressBar* bar_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeProgressView(WindowView& w, Long n) { return std::make_unique<ProgressView>(w, n); }

}  // namespace platform
