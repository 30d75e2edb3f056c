// The menu bar of an application window. Besides what Qt's does, it shows
// one entry lit while its menu stays closed, as HiliteMenuItem lights it, and
// it takes the keyboard as the platform's menu bar does on F10 or a lone Alt:
// its first menu is lit and the focus is on the bar; Left and Right move the
// light, Down, Up, Enter and Space open the lit menu with its first item
// current, a menu's mnemonic opens that menu; Escape, F10, Alt or a click
// elsewhere leave it, and the focus goes back where it was.
#pragma once

#include <QMenuBar>
#include <QPointer>

namespace platform {

class MenuBar : public QMenuBar {
public:
    explicit MenuBar(QWidget* parent) : QMenuBar(parent) {}
    // nullptr: none is lit.
    void light(QAction* entry);
    QAction* lit() const { return lit_; }

    void takeKeyboard();
    void leaveKeyboard();
    bool hasKeyboard() const { return chosen_ != nullptr; }
    // Opens the entry's menu as the keyboard does: its first item current.
    void openFromKeyboard(QAction* entry);
    // The entry shown and enabled whose mnemonic is the letter; nullptr for none.
    QAction* entryOfMnemonic(char letter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void paintLit(QAction* entry);
    // The entry `step` places on from the chosen one, round the end.
    QAction* entryBeside(int step) const;

    QAction* lit_ = nullptr;
    QAction* chosen_ = nullptr;  // lit by the keyboard
    QPointer<QWidget> returnFocus_;
};

}  // namespace platform
