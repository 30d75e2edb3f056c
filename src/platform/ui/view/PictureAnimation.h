// An animated picture on screen: its frames one after another, each for the
// time it gives, looping, timed by the layer's clock (Clock.h) through one
// scheduler ticker for every picture that plays, so the fake clock drives
// them in tests as it drives the character's frames. A still picture takes
// no tick.
//
// Rules: it lives on the GUI thread with the widget that shows it;
// `changed` is told whenever another frame is to be shown.
#pragma once

#include "platform/fiber/Clock.h"
#include "platform/ui/PictureFiles.h"

#include <functional>

namespace platform {

class PictureAnimation {
public:
    explicit PictureAnimation(std::function<void()> changed);
    ~PictureAnimation();
    PictureAnimation(const PictureAnimation&) = delete;
    PictureAnimation& operator=(const PictureAnimation&) = delete;

    // Shows the first frame and plays on from there.
    void play(PictureFrames frames);
    // The frame shown; a null picture without frames.
    QPixmap picture() const;
    // The frame shown, 1 the first; 0 without frames.
    int frame() const;

private:
    class Ticker;
    void showNext(Clock::TimePoint now);

    std::function<void()> changed_;
    PictureFrames frames_;
    std::size_t shown_ = 0;
    Clock::TimePoint due_{};
};

}  // namespace platform
