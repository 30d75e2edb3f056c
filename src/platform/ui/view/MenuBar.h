// The menu bar of an application window. Besides what Qt's does, it shows
// one entry lit while its menu stays closed, as HiliteMenuItem lights it.
#pragma once

#include <QMenuBar>

namespace platform {

class MenuBar : public QMenuBar {
public:
    explicit MenuBar(QWidget* parent) : QMenuBar(parent) {}
    // nullptr: none is lit.
    void light(QAction* entry);
    QAction* lit() const { return lit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* lit_ = nullptr;
};

}  // namespace platform
