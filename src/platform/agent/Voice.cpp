#include "platform/agent/Voice.h"

#include "platform/text/Codepage.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <map>
#include <utility>

namespace platform::agent {
namespace {

// The languages a character can be given (Windows language ids) and the
// espeak-ng voice that speaks each.
const std::map<Long, const char*>& voices() {
    static const std::map<Long, const char*> table = {
        {1025, "ar"},    {1028, "cmn"},   {1029, "cs"}, {1030, "da"}, {1031, "de"}, {1032, "el"},
        {1033, "en-us"}, {1035, "fi"},    {1036, "fr"}, {1037, "he"}, {1038, "hu"}, {1040, "it"},
        {1041, "ja"},    {1042, "ko"},    {1043, "nl"}, {1044, "nb"}, {1045, "pl"}, {1046, "pt-br"},
        {1048, "ro"},    {1049, "ru"},    {1050, "hr"}, {1051, "sk"}, {1053, "sv"}, {1054, "th"},
        {1055, "tr"},    {1060, "sl"},    {1069, "eu"}, {2052, "cmn"}, {2057, "en-gb"}, {2070, "pt"},
        {3082, "es"},
    };
    return table;
}

constexpr Long kDutch = 1043;

// The program to start, "" when there is none that could run.
QString speechProgram() {
    const QString standIn = qEnvironmentVariable("TABLOOM_SPEECH");
    return QStandardPaths::findExecutable(standIn.isEmpty() ? QStringLiteral("espeak-ng") : standIn);
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string spokenText(const std::string& text) {
    const std::vector<std::string> lines = speechLines(text);
    std::string out = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i) out += "\n" + lines[i];
    return out;
}

}  // namespace

std::string voiceOf(Long languageId) {
    const auto it = voices().find(languageId);
    return it == voices().end() ? voices().at(kDutch) : it->second;
}

std::string voiceMarkup(const Speech& speech) {
    std::string markup;
    for (const SpeechPart& part : speech.parts)
        markup += part.pause > 0 ? "<break time=\"" + std::to_string(part.pause) + "ms\"/>"
                                 : escaped(spokenText(part.text));
    return toUtf8(markup);
}

Voice::~Voice() { stop(); }

bool Voice::say(const Speech& speech, Long languageId, std::function<void(bool)> ended) {
    stop();
    const QString program = speechProgram();
    if (program.isEmpty()) return false;
    auto* process = new QProcess;
    process_ = process;
    auto finish = [this, process, ended = std::move(ended)](bool spoke) {
        if (process_ != process) return;
        process_ = nullptr;
        process->deleteLater();
        if (!starting_) ended(spoke);
    };
    // espeak-ng without a sound device says so on its error output and ends
    // at once with 0: that is a failure too.
    QObject::connect(process, &QProcess::finished, process, [finish, process](int code, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && code == 0 && process->readAllStandardError().isEmpty());
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) finish(false);
    });
    const QStringList arguments = {"-v", QString::fromStdString(voiceOf(languageId)), "-s",
                                   QString::number(speech.settings.speed), "-m", "--stdin"};
    starting_ = true;
    process->start(program, arguments);
    starting_ = false;
    if (process_ != process) return false;  // it could not start
    process->write(QByteArray::fromStdString(voiceMarkup(speech)));
    process->closeWriteChannel();
    return true;
}

void Voice::stop() {
    QProcess* process = std::exchange(process_, nullptr);
    if (!process) return;
    process->disconnect();
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    // Gone once it has ended, so that nothing waits for it.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
}

}  // namespace platform::agent
