// Buttons and check boxes: a click accepts them.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"

#include <QCheckBox>
#include <QPushButton>

namespace platform {
namespace {

// As a click does: the focus moves to it (what was typed before is accepted), then it acts.
void pressButton(QAbstractButton* button) {
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
}

class ButtonView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        button_ = new QPushButton(parent);
        button_->setDefault(s.isDefault);
        button_->setIcon(iconFor(s.icon));
        QObject::connect(button_, &QPushButton::clicked, button_, [this] {
            if (window().model()) model().userAccepted(number());
        });
        return button_;
    }

    void press() override { pressButton(button_); }

protected:
    void showText() override { button_->setText(toQString(model().property(number(), PROP::Text))); }

private:
    QPushButton* button_ = nullptr;
};

class CheckView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        check_ = new QCheckBox(parent);
        QObject::connect(check_, &QCheckBox::clicked, check_, [this](bool ticked) {
            if (!window().model()) return;
            model().userTyped(number(), model().property(number(), ticked ? PROP::TrueValue : PROP::FalseValue));
            if (window().model()) model().userAccepted(number());
        });
        return check_;
    }

    void press() override { pressButton(check_); }

protected:
    void showText() override {
        check_->setText(toQString(model().property(number(), PROP::Text)));
        check_->setChecked(control().screenText == model().property(number(), PROP::TrueValue));
    }

private:
    QCheckBox* check_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeButtonView(WindowView& w, Long n) { return std::make_unique<ButtonView>(w, n); }
std::unique_ptr<ControlView> makeCheckView(WindowView& w, Long n) { return std::make_unique<CheckView>(w, n); }

}  // namespace platform
