// The balloon a character speaks in (a cloud when it thinks): a frameless
// window above every other, shaped by its outline, transparent to the mouse.
//
// Rules:
// - It stands above the character's rectangle, its tail pointing down at it,
//   or below it, tail up, when the screen has no room above; it is moved
//   sideways to stay on the screen.
// - The text is the speech's shown text; lines break where the text breaks
//   them and where they are wider than the balloon.
// - Balloon and cloud are opaque wherever the text goes, so it reads on any
//   background.
// - It lives on Qt's thread and is deleted later, never from fiber code.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace platform::agent {

class SpeechBalloon : public QWidget {
public:
    enum class Shape { Balloon, Cloud };

    SpeechBalloon();

    void present(const QString& text, Shape shape, const QRect& character);
    QString text() const { return text_; }
    Shape shape() const { return shape_; }
    // What it shows: the outline filled and the text, transparent around.
    const QImage& picture() const { return picture_; }
    // Where in the picture the text is drawn.
    QRect textArea() const { return textArea_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect(const QRect& body) const;
    // `tailX`: where the character's middle is, from the balloon's left.
    void draw(bool below, int tailX);

    QString text_;
    Shape shape_ = Shape::Balloon;
    QImage picture_;
    QRect textArea_;
};

}  // namespace platform::agent
