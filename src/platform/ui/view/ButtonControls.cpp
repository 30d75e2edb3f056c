// Buttons, check boxes and radio buttons: a click accepts them. Left and
// Right put the icon or the box on that side of the text.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/Justification.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform {
namespace {

// As a click does: the focus moves to it (what was typed before is accepted), then it acts.
void pressButton(QAbstractButton* button) {
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
}

// What the three share: the text, the icon and the side they are on.
class ClickedView : public ControlView {
protected:
    using ControlView::ControlView;

    bool applyClicked(QAbstractButton* button, Long prop) {
        if (side_.take(model(), number(), prop)) {
            button->setLayoutDirection(side_.right() ? Qt::RightToLeft : Qt::LeftToRight);
            return true;
        }
        if (prop != PROP::Icon) return false;
        button->setIcon(iconFor(clip(model().property(number(), prop))));
        place();
        return true;
    }
    QString caption() const { return toQString(model().property(number(), PROP::Text)); }

private:
    Justification side_;
};

class ButtonView : public ClickedView {
public:
    using ClickedView::ClickedView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        button_ = new QPushButton(parent);
        QObject::connect(button_, &QPushButton::clicked, button_, [this] {
            if (window().model()) model().userAccepted(number());
        });
        return button_;
    }

    void press() override { pressButton(button_); }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::Default: button_->setDefault(flag(prop)); return true;
            // A transparent button draws no face of its own.
            case PROP::Flat:
            case PROP::Trn:
                button_->setFlat(flag(PROP::Flat) || flag(PROP::Trn));
                showColors();
                return true;
            case PROP::Repeat: {
                // Held down, the button repeats; a number above 1 is the pause in milliseconds.
                const Long pause = model().numberProperty(number(), prop);
                button_->setAutoRepeat(pause != 0);
                if (pause > 1) button_->setAutoRepeatInterval(pause);
                return true;
            }
            default: return applyClicked(button_, prop);
        }
    }
    void showText() override { button_->setText(caption()); }

private:
    QPushButton* button_ = nullptr;
};

class CheckView : public ClickedView {
public:
    using ClickedView::ClickedView;

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
    bool applyOwn(Long prop) override { return applyClicked(check_, prop); }
    void showText() override {
        check_->setText(caption());
        check_->setChecked(control().screenText == model().property(number(), PROP::TrueValue));
    }

private:
    QCheckBox* check_ = nullptr;
};

// A radio button gives its option the radio's text; the option's value
// shows which radio is on.
class RadioView : public ClickedView {
public:
    using ClickedView::ClickedView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        radio_ = new QRadioButton(parent);
        radio_->setAutoExclusive(false);
        QObject::connect(radio_, &QRadioButton::clicked, radio_, [this] {
            if (!window().model()) return;
            const Long option = control().parent;
            model().userTyped(option, fromQString(value()));
            window().apply(option, PROP::ScreenText);
            if (window().model()) model().userAccepted(option);
        });
        return radio_;
    }

    void press() override { pressButton(radio_); }

protected:
    bool applyOwn(Long prop) override { return applyClicked(radio_, prop); }
    void showText() override {
        radio_->setText(caption());
        const Control* option = model().control(control().parent);
        radio_->setChecked(option && toQString(option->screenText) == value());
    }

private:
    QString value() const { return toQString(model().property(number(), PROP::TrueValue)); }

    QRadioButton* radio_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeButtonView(WindowView& w, Long n) { return std::make_unique<ButtonView>(w, n); }
std::unique_ptr<ControlView> makeCheckView(WindowView& w, Long n) { return std::make_unique<CheckView>(w, n); }
std::unique_ptr<ControlView> makeRadioView(WindowView& w, Long n) { return std::make_unique<RadioView>(w, n); }

}  // namespace platform
