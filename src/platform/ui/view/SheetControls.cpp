// Sheets and their tabs: a tab's controls lie on its page; the sheet shows
// one page at a time and places every page.
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"

#include <QTabBar>
#include <QTabWidget>

namespace platform {
namespace {

class SheetView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        sheet_ = new QTabWidget(parent);
        return sheet_;
    }
    // Only once its tabs are in: adding them moves the current tab.
    void childrenBuilt() override {
        sheet_->setCurrentIndex(model().numberProperty(number(), PROP::Selected) - 1);
        QObject::connect(sheet_, &QTabWidget::currentChanged, sheet_, [this](int index) {
            if (window().model() && !applying() && index >= 0) model().userChoseRow(number(), index + 1);
        });
    }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::Selected: sheet_->setCurrentIndex(model().numberProperty(number(), prop) - 1); return true;
            case PROP::Wizard: sheet_->tabBar()->setVisible(model().numberProperty(number(), prop) == 0); return true;
            default: return false;
        }
    }

private:
    QTabWidget* sheet_ = nullptr;
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
    // A page's visibility belongs to its sheet.
    bool applyOwn(Long prop) override {
        if (prop != PROP::Hide) return false;
        if (sheet_) sheet_->setTabVisible(sheet_->indexOf(page_), model().numberProperty(number(), prop) == 0);
        return true;
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
