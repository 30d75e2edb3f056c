// A speech said aloud: espeak-ng, or the stand-in program TABLOOM_SPEECH
// names, started through QProcess (never a shell) as
//   <program> -v <voice> -s <words a minute> -m --stdin
// with the text on its input as markup: XML-escaped UTF-8, pauses as
// <break time="nms"/>, line breaks as new lines.
//
// Rules:
// - One speech at a time per Voice. say gives false, and calls nothing, when
//   there is no program or it cannot start at once; otherwise `ended` is
//   called once, on Qt's stack, when the program ends: true when it spoke,
//   false when it failed (it ended by a signal or with an exit code, or it
//   wrote to its error output).
// - stop() ends the program and calls nothing.
// - The voice of a language id comes from one table; an id without a voice
//   speaks Dutch.
#pragma once

#include "platform/agent/SpeechText.h"

#include <functional>
#include <string>

class QProcess;

namespace platform::agent {

std::string voiceOf(Long languageId);
// The text as the program reads it.
std::string voiceMarkup(const Speech& speech);

class Voice {
public:
    Voice() = default;
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    bool say(const Speech& speech, Long languageId, std::function<void(bool spoke)> ended);
    void stop();

private:
    QProcess* process_ = nullptr;
    bool starting_ = false;
};

}  // namespace platform::agent
