// A spin box: numbers in its range by its step, or the texts of its rows
// (field 1 of its queue, or of its FROM text); a list's in-place editor, say.
// Leaving it after a change accepts the change, as an entry does.
#include "platform/data/Queue.h"
#include "platform/text/Codepage.h"
#include "platform/ui/NumberPicture.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/TextRows.h"
#include "platform/ui/view/TypedControlView.h"

#include <QEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>

namespace platform {
namespace {

class QueueSpinBox : public QSpinBox {
public:
    QueueSpinBox(QueueBase* rows, QWidget* parent) : QSpinBox(parent) {
        setRange(0, 0x7FFFFFFF);
        setRows(rows);
    }
    ~QueueSpinBox() override { detach(); }
    void setRows(QueueBase* rows) {
        detach();
        rows_ = rows;
        if (!rows_) return;
        setWrapping(true);
        listener_ = rows_->listen({.after = [this](const QueueChange&) { fitRange(); }});
        fitRange();
    }
    void detach() {
        if (rows_) rows_->unlisten(listener_);
        rows_ = nullptr;
    }
    bool showsRows() const { return rows_ != nullptr; }
    void showText(const QString& text) { setValue(valueFromText(text)); }
    QLineEdit* edit() const { return lineEdit(); }

protected:
    QString textFromValue(int value) const override {
        if (!rows_) return QSpinBox::textFromValue(value);
        const bool inQueue = value >= 1 && static_cast<std::size_t>(value) <= rows_->records();
        return inQueue ? toQString(clip(rows_->rowText(static_cast<std::size_t>(value), 1))) : QString();
    }
    int valueFromText(const QString& text) const override {
        if (!rows_) return static_cast<int>(leadingNumber(fromQString(text)));
        for (int row = 1; static_cast<std::size_t>(row) <= rows_->records(); ++row)
            if (textFromValue(row).compare(text.trimmed(), Qt::CaseInsensitive) == 0) return row;
        return value();
    }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

private:
    void fitRange() { setRange(1, std::max(1, static_cast<int>(rows_->records()))); }

    QueueBase* rows_ = nullptr;
    int listener_ = 0;
};

// A double click on the spin box's text becomes its key, for alert keys.
class DoubleClickAsKey : public QObject {
public:
    DoubleClickAsKey(QObject* parent, std::function<void()> pressed) : QObject(parent), pressed_(std::move(pressed)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return false;
        pressed_();
        return true;
    }

private:
    std::function<void()> pressed_;
};

class SpinView : public TypedControlView {
public:
    using TypedControlView::TypedControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        spin_ = new QueueSpinBox(s.from, parent);
        // Without a range, what its picture's digits write.
        if (const std::optional<NumberPicture> number = numberPicture(s.text); number && !s.from)
            spin_->setRange(static_cast<int>(std::max<long long>(smallestNumber(*number), -0x7FFFFFFF)),
                            static_cast<int>(std::min<long long>(largestNumber(*number), 0x7FFFFFFF)));
        QObject::connect(spin_, &QSpinBox::textChanged, spin_, [this](const QString& t) { typed(t); });
        acceptWhenLeft(spin_);
        spin_->edit()->installEventFilter(new DoubleClickAsKey(spin_, [this] {
            if (window().model()) model().userPressedKey(KEY::MouseLeft2, number());
        }));
        return spin_;
    }
    void detach() override { spin_->detach(); }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::RangeLow:
            case PROP::RangeHigh:
                if (!spin_->showsRows())
                    spin_->setRange(model().numberProperty(number(), PROP::RangeLow),
                                    model().numberProperty(number(), PROP::RangeHigh));
                return true;
            case PROP::Step: spin_->setSingleStep(std::max<Long>(1, model().numberProperty(number(), prop))); return true;
            case PROP::From: {
                // The rows go with the spin box, after it has let them go.
                TextRows* old = textRows_;
                textRows_ = new TextRows(model().property(number(), prop), spin_);
                spin_->setRows(textRows_);
                delete old;
                showText();
                return true;
            }
            default: return applyToLine(spin_->edit(), prop);
        }
    }
    void showText() override { spin_->showText(screen()); }

private:
    QueueSpinBox* spin_ = nullptr;
    TextRows* textRows_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeSpinView(WindowView& w, Long n) { return std::make_unique<SpinView>(w, n); }

}  // namespace platform
