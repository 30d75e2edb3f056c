// A spin box stepping through the texts of its queue's rows (field 1); a
// list's in-place editor, say.
#include "platform/data/Queue.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"

#include <QEvent>
#include <QLineEdit>
#include <QSpinBox>

namespace platform {
namespace {

class QueueSpinBox : public QSpinBox {
public:
    QueueSpinBox(QueueBase* rows, QWidget* parent) : QSpinBox(parent), rows_(rows) {
        setWrapping(true);
        if (rows_) listener_ = rows_->listen({.after = [this](const QueueChange&) { fitRange(); }});
        fitRange();
    }
    ~QueueSpinBox() override { detach(); }
    void detach() {
        if (rows_) rows_->unlisten(listener_);
        rows_ = nullptr;
    }
    void showText(const QString& text) { setValue(valueFromText(text)); }
    void setTextReadOnly(bool readOnly) { lineEdit()->setReadOnly(readOnly); }
    QLineEdit* edit() const { return lineEdit(); }

protected:
    QString textFromValue(int row) const override {
        const bool inQueue = rows_ && row >= 1 && static_cast<std::size_t>(row) <= rows_->records();
        return inQueue ? toQString(clip(rows_->rowText(static_cast<std::size_t>(row), 1))) : QString();
    }
    int valueFromText(const QString& text) const override {
        for (int row = 1; rows_ && static_cast<std::size_t>(row) <= rows_->records(); ++row)
            if (textFromValue(row).compare(text.trimmed(), Qt::CaseInsensitive) == 0) return row;
        return value();
    }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

private:
    void fitRange() { setRange(1, rows_ ? std::max(1, static_cast<int>(rows_->records())) : 1); }

    QueueBase* rows_;
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

class SpinView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec& s, QWidget* parent, const QFont&) override {
        spin_ = new QueueSpinBox(s.from, parent);
        spin_->setTextReadOnly(s.readOnly);
        QObject::connect(spin_, &QSpinBox::textChanged, spin_, [this](const QString& t) {
            if (window().model() && !applying()) model().userTyped(number(), fromQString(t));
        });
        spin_->edit()->installEventFilter(new DoubleClickAsKey(spin_, [this] {
            if (window().model()) model().userPressedKey(KEY::MouseLeft2, number());
        }));
        return spin_;
    }
    void detach() override { spin_->detach(); }

protected:
    bool applyOwn(Long prop) override {
        if (prop != PROP::ReadOnly) return false;
        spin_->setTextReadOnly(model().numberProperty(number(), prop) != 0);
        return true;
    }
    void showText() override { spin_->showText(toQString(control().screenText)); }

private:
    QueueSpinBox* spin_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeSpinView(WindowView& w, Long n) { return std::make_unique<SpinView>(w, n); }

}  // namespace platform
