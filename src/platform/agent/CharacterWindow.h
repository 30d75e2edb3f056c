// The window a character stands in, for people: frameless, above every other
// window, titled by the character's name, shaped by the shown picture's alpha
// (a mask, so no compositor is needed), and transparent to the mouse.
//
// Rules:
// - It shows one picture of its character, scaled to the window's size, and
//   paints it at once; the mask of each picture is made the first time it is
//   shown at that size.
// - It lives on Qt's thread and is deleted later, never from fiber code.
#pragma once

#include "platform/agent/CharacterFile.h"

#include <QRegion>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

namespace platform::agent {

class CharacterWindow : public QWidget {
public:
    CharacterWindow(const std::string& title, std::shared_ptr<const CharacterData> data);

    void showImage(int image);
    void setSize(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QRegion& maskOf(int image);

    std::shared_ptr<const CharacterData> data_;
    std::vector<std::optional<QRegion>> masks_;  // per image, at the window's size
    int image_ = -1;
};

}  // namespace platform::agent
