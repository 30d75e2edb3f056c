#include "platform/ui/view/PictureAnimation.h"

#include "platform/fiber/Scheduler.h"

#include <set>
#include <vector>

namespace platform {

// The pictures that play, each moved on to its next frame when it is due.
class PictureAnimation::Ticker : public Scheduler::Ticker {
public:
    static Ticker& instance() {
        static Ticker ticker;
        return ticker;
    }
    void start(PictureAnimation& animation) {
        playing_.insert(&animation);
        Scheduler::instance().wake();
    }
    void stop(PictureAnimation& animation) { playing_.erase(&animation); }

    std::optional<Clock::TimePoint> nextDue() const override {
        std::optional<Clock::TimePoint> next;
        for (const PictureAnimation* animation : playing_)
            if (!next || animation->due_ < *next) next = animation->due_;
        return next;
    }
    // A late frame does not catch up: the next one is timed from now.
    void fireDue(Clock::TimePoint now) override {
        const std::vector<PictureAnimation*> playing(playing_.begin(), playing_.end());
        for (PictureAnimation* animation : playing)
            if (playing_.contains(animation) && animation->due_ <= now) animation->showNext(now);
    }

private:
    Ticker() { Scheduler::instance().addTicker(*this); }
    std::set<PictureAnimation*> playing_;
};

PictureAnimation::PictureAnimation(std::function<void()> changed) : changed_(std::move(changed)) {}

PictureAnimation::~PictureAnimation() { Ticker::instance().stop(*this); }

void PictureAnimation::play(PictureFrames frames) {
    frames_ = std::move(frames);
    shown_ = 0;
    if (frames_.size() > 1) {
        due_ = Clock::now() + frames_.front().shown;
        Ticker::instance().start(*this);
    } else {
        Ticker::instance().stop(*this);
    }
    changed_();
}

QPixmap PictureAnimation::picture() const { return frames_.empty() ? QPixmap() : frames_[shown_].picture; }

int PictureAnimation::frame() const { return frames_.empty() ? 0 : static_cast<int>(shown_) + 1; }

void PictureAnimation::showNext(Clock::TimePoint now) {
    shown_ = (shown_ + 1) % frames_.size();
    due_ += frames_[shown_].shown;
    if (due_ <= now) due_ = now + frames_[shown_].shown;
    changed_();
}

}  // namespace platform
