// Sheets and their tabs: a tab's controls lie on its page; the sheet shows
// one page at a time and places every page. Its tabs lie above, below, left
// or right (whichever was written last; the size that comes with it is the
// width of a tab), spread over the sheet's width, and their text may read
// up, down or upside down.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/Justification.h"
#include "platform/ui/view/Looks.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>
#include <map>

namespace platform {
namespace {

class SheetTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;
    int extent = 0;  // pixels along the bar; 0 for the text's
    bool spread = false;
    int turn = 0;  // degrees the text turns, clockwise

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        const bool across = shape() == RoundedNorth || shape() == RoundedSouth;
        // Text turned across the bar's own direction needs a tab turned with it.
        if (turn != 0 && (turn % 180 != 0) == across) size.transpose();
        const int length = across ? parentWidget()->width() : parentWidget()->height();
        int along = extent > 0 ? extent : (across ? size.width() : size.height());
        if (spread && count() > 0) along = std::max(along, length / count());
        (across ? size.rwidth() : size.rheight()) = along;
        return size;
    }
    void paintEvent(QPaintEvent* event) override {
        if (turn == 0) return QTabBar::paintEvent(event);
        QStylePainter p(this);
        for (int i = 0; i < count(); ++i) {
            if (!isTabVisible(i)) continue;
            QStyleOptionTab tab;
            initStyleOption(&tab, i);
            const QString text = tab.text;
            tab.text.clear();
            p.drawControl(QStyle::CE_TabBarTab, tab);
            p.save();
            p.translate(tab.rect.center());
            p.rotate(turn);
            const QSize box = turn % 180 == 0 ? tab.rect.size() : tab.rect.size().transposed();
            p.drawText(QRect(QPoint(-box.width() / 2, -box.height() / 2), box), Qt::AlignCenter, text);
            p.restore();
        }
    }
};

class SheetWidget : public QTabWidget {
public:
    explicit SheetWidget(QWidget* parent) : QTabWidget(parent), bar_(new SheetTabBar(this)) { setTabBar(bar_); }
    SheetTabBar* bar() const { return bar_; }

private:
    SheetTabBar* bar_;
};

class SheetView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        sheet_ = new SheetWidget(parent);
        return sheet_;
    }
    bool holdsChildren() const override { return true; }
    // Only once its tabs are in: adding them moves the current tab.
    void childrenBuilt() override {
        sheet_->setCurrentIndex(model().numberProperty(number(), PROP::Selected) - 1);
        QObject::connect(sheet_, &QTabWidget::currentChanged, sheet_, [this](int index) {
            if (window().model() && !applying() && index >= 0) model().userChoseRow(number(), index + 1);
        });
    }

protected:
    bool applyOwn(Long prop) override {
        if (side_.take(model(), number(), prop)) return showTabs();
        switch (prop) {
            case PROP::Selected: sheet_->setCurrentIndex(model().numberProperty(number(), prop) - 1); return true;
            case PROP::Wizard: sheet_->tabBar()->setVisible(!flag(prop)); return true;
            case PROP::NoSheet: sheet_->setDocumentMode(flag(prop)); return true;
            case PROP::HScroll: sheet_->setUsesScrollButtons(flag(prop)); return true;
            case PROP::Spread:
            case PROP::Up:
            case PROP::Down:
            case PROP::UpsideDown: return showTabs();
            default: return false;
        }
    }

private:
    bool showTabs() {
        static const std::map<Long, QTabWidget::TabPosition> positions = {
            {PROP::Left, QTabWidget::West}, {PROP::Right, QTabWidget::East},
            {PROP::Below, QTabWidget::South}, {PROP::Above, QTabWidget::North}};
        const auto position = positions.find(side_.chosen());
        const QTabWidget::TabPosition where = position == positions.end() ? QTabWidget::North : position->second;
        const int extent = side_.offset(model(), number());
        SheetTabBar* bar = sheet_->bar();
        bar->extent = where == QTabWidget::North || where == QTabWidget::South ? unitsToPixels(extent, 0).width()
                                                                                : unitsToPixels(0, extent).height();
        bar->spread = flag(PROP::Spread);
        bar->turn = flag(PROP::UpsideDown) ? 180 : flag(PROP::Up) ? -90 : flag(PROP::Down) ? 90 : 0;
        sheet_->setTabPosition(where);
        // The bar measures its tabs again only when told its tabs changed.
        if (sheet_->count() > 0) sheet_->setTabText(0, sheet_->tabText(0));
        bar->updateGeometry();
        bar->update();
        return true;
    }

    SheetWidget* sheet_ = nullptr;
    Justification side_;
};

class TabView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        page_ = new QWidget;
        sheet_ = qobject_cast<QTabWidget*>(parent);
        if (sheet_) sheet_->addTab(page_, QString());
        return page_;
    }
    bool placedByParent() const override { return true; }
    bool holdsChildren() const override { return true; }
    // A tab is reached through its sheet's tab bar.
    bool reachable() const override {
        if (!sheet_ || !sheet_->isVisibleTo(&window()) || !sheet_->isEnabled()) return false;
        const int tab = sheet_->indexOf(page_);
        return sheet_->tabBar()->isVisibleTo(sheet_) && sheet_->isTabVisible(tab) && sheet_->isTabEnabled(tab);
    }
    void press() override { sheet_->setCurrentIndex(sheet_->indexOf(page_)); }
    void removed() override {
        if (sheet_) sheet_->removeTab(sheet_->indexOf(page_));
    }

protected:
    // What the tab shows on the sheet's bar belongs to the sheet.
    bool applyOwn(Long prop) override {
        if (!sheet_) return false;
        const int index = sheet_->indexOf(page_);
        switch (prop) {
            case PROP::Hide: sheet_->setTabVisible(index, !flag(prop)); return true;
            case PROP::Disable: sheet_->setTabEnabled(index, !flag(prop)); return true;
            case PROP::Icon: sheet_->setTabIcon(index, iconFor(clip(model().property(number(), prop)))); return true;
            case PROP::Tip: sheet_->setTabToolTip(index, toQString(model().property(number(), prop))); return true;
            default: return false;
        }
    }
    void showText() override {
        if (sheet_) sheet_->setTabText(sheet_->indexOf(page_), toQString(model().property(number(), PROP::Text)));
    }

private:
    QWidget* page_ = nullptr;
    QTabWidget* sheet_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> makeSheetView(WindowView& w, Long n) { return std::make_unique<SheetView>(w, n); }
std::unique_ptr<ControlView> makeTabView(WindowView& w, Long n) { return std::make_unique<TabView>(w, n); }

}  // namespace platform
