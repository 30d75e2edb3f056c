#include "platform/agent/Character.h"

#include "platform/agent/CharacterWindow.h"
#include "platform/agent/SpeechBalloon.h"
#include "platform/text/Codepage.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace platform::agent {
namespace {

constexpr double kPixelsPerSecond = 400;  // a move's pace when none is given
constexpr std::chrono::milliseconds kMoveStep{25};
constexpr std::chrono::milliseconds kShortestFrame{10};

Clock::Duration frameLength(const CharacterFrame& frame) {
    return std::max<Clock::Duration>(std::chrono::milliseconds(frame.duration), kShortestFrame);
}

// Gestures and moves pick their animation by the way they go on the screen.
std::string direction(Long dx, Long dy) {
    if (std::abs(dx) >= std::abs(dy)) return dx < 0 ? "Left" : "Right";
    return dy < 0 ? "Up" : "Down";
}

// A character first stands near the bottom right corner of the screen.
QPoint startingPlace(int width, int height) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect area = screen->availableGeometry();
    return {area.right() + 1 - width - 24, area.bottom() + 1 - height - 24};
}

bool ofType(RequestKind kind, std::string_view type) {
    if (type == "MOVE") return kind == RequestKind::Move;
    if (type == "SPEAK") return kind == RequestKind::Speak || kind == RequestKind::Think;
    if (type == "PLAY")
        return kind != RequestKind::Move && kind != RequestKind::Speak && kind != RequestKind::Think;
    return false;
}

bool ofTypes(RequestKind kind, std::string_view types) {
    bool any = false;
    for (std::size_t start = 0; start <= types.size();) {
        std::size_t end = std::min(types.find(',', start), types.size());
        std::string type = upper(clip(types.substr(start, end - start)));
        type.erase(0, type.find_first_not_of(' '));
        if (!type.empty()) {
            any = true;
            if (ofType(kind, type)) return true;
        }
        start = end + 1;
    }
    return !any;
}

QString balloonText(const std::string& shown) {
    const std::vector<std::string> lines = speechLines(shown);
    QString text = toQString(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) text += '\n' + toQString(lines[i]);
    return text;
}

}  // namespace

Character::Character(std::string name, std::shared_ptr<const CharacterData> data, bool live, CharacterHost& host)
    : name_(std::move(name)), data_(std::move(data)), live_(live), host_(host), width_(data_->width),
      height_(data_->height) {
    const QPoint start = startingPlace(width_, height_);
    x_ = start.x();
    y_ = start.y();
    if (!live_) return;
    window_ = new CharacterWindow(name_, data_);
    window_->move(x_, y_);
    balloon_ = new SpeechBalloon;
    showRestPose();
}

Character::~Character() {
    voice_.stop();
    for (QWidget* w : {static_cast<QWidget*>(window_.data()), static_cast<QWidget*>(balloon_.data())}) {
        if (!w) continue;
        w->hide();
        w->deleteLater();
    }
}

void Character::add(Request request) {
    queue_.push_back(std::move(request));
    proceed();
}

bool Character::runs(RequestId id) const { return current_ && current_->id == id; }

bool Character::holds(RequestId id) const {
    return runs(id) || std::any_of(queue_.begin(), queue_.end(), [id](const Request& r) { return r.id == id; });
}

bool Character::stop(RequestId id) {
    if (runs(id)) {
        stopRunning();
        return true;
    }
    const auto queued = std::find_if(queue_.begin(), queue_.end(), [id](const Request& r) { return r.id == id; });
    if (queued == queue_.end()) return false;
    queue_.erase(queued);
    host_.requestEnded(name_, id, RequestEnd::Stopped);
    return true;
}

void Character::stopRunning() {
    if (!current_) return;
    finish(RequestEnd::Stopped);
    proceed();
}

void Character::stopAll(std::string_view types) {
    std::vector<RequestId> stopped;
    std::erase_if(queue_, [&](const Request& r) {
        if (!ofTypes(r.kind, types)) return false;
        stopped.push_back(r.id);
        return true;
    });
    if (current_ && ofTypes(current_->kind, types)) finish(RequestEnd::Stopped);
    for (RequestId id : stopped) host_.requestEnded(name_, id, RequestEnd::Stopped);
    proceed();
}

void Character::setWidth(Long width) {
    if (width <= 0) return;
    width_ = width;
    if (window_) window_->setSize(QSize(width_, height_));
}

void Character::setHeight(Long height) {
    if (height <= 0) return;
    height_ = height;
    if (window_) window_->setSize(QSize(width_, height_));
}

void Character::activate(Long state) {
    if (window_ && state == 2) window_->raise();  // 2: in front of the other characters
}

void Character::proceed() {
    if (proceeding_) return;  // the loop below picks up what was added meanwhile
    proceeding_ = true;
    const Clock::TimePoint now = Clock::now();
    for (;;) {
        if (current_) {
            step(now);
            if (!currentDone_) break;
            finish(RequestEnd::Completed);
        }
        if (queue_.empty()) break;
        begin(now);
    }
    proceeding_ = false;
}

std::optional<Clock::TimePoint> Character::nextDue() const {
    std::optional<Clock::TimePoint> due;
    auto consider = [&due](Clock::TimePoint t) {
        if (!due || t < *due) due = t;
    };
    if (!current_) return due;
    if (playing_ && !playing_->over) consider(playing_->due);
    if (moving_) consider(std::min(moving_->nextStep, moving_->start + moving_->length));
    if (speechEnd_ && !voiceSpeaking_) consider(*speechEnd_);
    return due;
}

void Character::begin(Clock::TimePoint now) {
    current_ = std::move(queue_.front());
    queue_.pop_front();
    currentDone_ = false;
    const Request& r = *current_;
    switch (r.kind) {
        case RequestKind::Show: {
            const bool wasVisible = visible_;
            setVisible(true);
            currentDone_ = r.fast || wasVisible || !play("Show", false, now);
            break;
        }
        case RequestKind::Hide: currentDone_ = r.fast || !visible_ || !play("Hide", false, now); break;
        case RequestKind::Speak:
        case RequestKind::Think: beginSpeech(now); break;
        case RequestKind::Move: beginMove(now); break;
        case RequestKind::Gesture:
            currentDone_ = !play("Gesture" + direction(r.x - (x_ + width_ / 2), r.y - (y_ + height_ / 2)), false, now);
            break;
        case RequestKind::Play: currentDone_ = !play(r.text, false, now); break;
        case RequestKind::Wait: currentDone_ = host_.requestOver(r.other); break;
        case RequestKind::Interrupt:
            currentDone_ = true;
            host_.stopRequest(r.other);
            break;
    }
}

void Character::beginSpeech(Clock::TimePoint now) {
    const Speech speech = parseSpeech(current_->text, speechDefaults_);
    if (speech.showsNothing()) {
        speechDefaults_ = speech.settings;
        currentDone_ = true;
        return;
    }
    if (!live_) {
        currentDone_ = true;
        return;
    }
    const bool aloud = current_->kind == RequestKind::Speak;
    if (visible_) {
        const auto shape = aloud ? SpeechBalloon::Shape::Balloon : SpeechBalloon::Shape::Cloud;
        balloon_->present(balloonText(speech.shown), shape, rect());
        if (aloud) play("Speaking", true, now);
    }
    speechEnd_ = now + speech.readingTime();
    voiceSpeaking_ = aloud && speech.settings.voiced &&
                     voice_.say(speech, language_, [this](bool spoke) { voiceEnded(spoke); });
}

void Character::voiceEnded(bool spoke) {
    voiceSpeaking_ = false;
    if (spoke) currentDone_ = true;  // else the balloon stays its reading time
    proceed();
}

void Character::beginMove(Clock::TimePoint now) {
    const Request& r = *current_;
    const Long dx = r.x - x_, dy = r.y - y_;
    const bool ownPace = !r.speed || *r.speed < 0;
    const std::chrono::milliseconds length(ownPace ? std::lround(std::hypot(dx, dy) * 1000 / kPixelsPerSecond)
                                                   : *r.speed);
    if (!live_ || !visible_ || length.count() <= 0) {
        placeAt(r.x, r.y);
        currentDone_ = true;
        return;
    }
    moving_ = Moving{x_, y_, now, length, now + kMoveStep};
    play("Move" + direction(dx, dy), true, now);
}

void Character::step(Clock::TimePoint now) {
    advanceFrames(now);
    switch (current_->kind) {
        case RequestKind::Show:
        case RequestKind::Hide:
        case RequestKind::Gesture:
        case RequestKind::Play: currentDone_ = currentDone_ || animationOver(); break;
        case RequestKind::Move:
            if (moving_ && now >= std::min(moving_->nextStep, moving_->start + moving_->length)) stepMove(now);
            break;
        case RequestKind::Speak:
        case RequestKind::Think:
            currentDone_ = currentDone_ || (!voiceSpeaking_ && speechEnd_ && now >= *speechEnd_);
            break;
        case RequestKind::Wait: currentDone_ = currentDone_ || host_.requestOver(current_->other); break;
        case RequestKind::Interrupt: break;
    }
}

void Character::stepMove(Clock::TimePoint now) {
    const double done = std::min(1.0, std::chrono::duration<double>(now - moving_->start) / moving_->length);
    placeAt(moving_->fromX + std::lround((current_->x - moving_->fromX) * done),
            moving_->fromY + std::lround((current_->y - moving_->fromY) * done));
    moving_->nextStep = now + kMoveStep;
    currentDone_ = done >= 1.0;
}

void Character::finish(RequestEnd end) {
    endEffects();
    const RequestId id = current_->id;
    current_.reset();
    currentDone_ = false;
    host_.requestEnded(name_, id, end);
}

// What a request leaves behind when it ends, completed or stopped.
void Character::endEffects() {
    voice_.stop();
    voiceSpeaking_ = false;
    speechEnd_.reset();
    moving_.reset();
    if (balloon_) balloon_->hide();
    switch (current_->kind) {
        case RequestKind::Hide: setVisible(false); break;
        case RequestKind::Speak:
        case RequestKind::Think:
        case RequestKind::Move:
        case RequestKind::Gesture:
            if (playing_) showRestPose();
            break;
        default: break;  // a played animation keeps its last frame
    }
    playing_.reset();
}

bool Character::play(std::string_view name, bool loop, Clock::TimePoint now) {
    if (!live_ || !visible_) return false;
    const Animation* animation = data_->animation(name);
    if (!animation || animation->frames.empty()) return false;
    playing_ = Playing{animation, 0, now + frameLength(animation->frames.front()), loop};
    showFrame(animation->frames.front());
    return true;
}

void Character::advanceFrames(Clock::TimePoint now) {
    if (!playing_ || playing_->over || playing_->due > now) return;
    const std::vector<CharacterFrame>& frames = playing_->animation->frames;
    while (playing_->due <= now) {
        if (playing_->frame + 1 < frames.size()) {
            ++playing_->frame;
        } else if (playing_->loop) {
            playing_->frame = 0;
        } else {
            playing_->over = true;
            return;
        }
        playing_->due += frameLength(frames[playing_->frame]);
    }
    showFrame(frames[playing_->frame]);
}

void Character::showFrame(const CharacterFrame& frame) {
    if (window_) window_->showImage(frame.image);
}

void Character::showRestPose() {
    if (const Animation* rest = data_->animation("RestPose"); rest && !rest->frames.empty())
        showFrame(rest->frames.front());
}

void Character::setVisible(bool visible) {
    visible_ = visible;
    if (!window_) return;
    window_->setVisible(visible);
    if (!visible) balloon_->hide();
}

void Character::placeAt(Long x, Long y) {
    x_ = x;
    y_ = y;
    if (window_) window_->move(x_, y_);
}

QRect Character::rect() const { return QRect(x_, y_, width_, height_); }

}  // namespace platform::agent
