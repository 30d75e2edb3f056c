#include "TrainingFixture.h"

#include "app/main/Globals.h"
#include "assistant/AgntSetFile.h"
#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/system/Errors.h"

#include <QCoreApplication>
#include <filesystem>

using namespace platform;

void TrainingFixture::SetUp() {
    ProgramFixture::SetUp();
    const std::filesystem::path merlin =
        QCoreApplication::applicationDirPath().toStdString() + "/characters/Merlin.tchar";
    for (const char* name : {"Merlin", "Robin"})
        std::filesystem::copy_file(merlin, characters.path() / (std::string(name) + ".tchar"));
    setenv("TABLOOM_CHARACTERS", characters.path().c_str(), 1);
    engine.setTrace(true);
    engine.clearTrace();
    Clock::useFake(36'000'00);
}

void TrainingFixture::TearDown() {
    drive::dismissPopups();
    while (drive::answerMessage("OK") || drive::answerMessage("&Nee")) {
    }
    for (const char* title : {kPositionTitle, kSubjectTitle})
        if (Window* w = drive::window(title)) drive::pressKey(*w, KEY::Esc);
    while (drive::answerMessage("&Ja")) {
    }
    if (Window* w = training()) w->post({.event = EVENT::CloseWindow});
    drive::settle();
    ProgramFixture::TearDown();
    Clock::useReal();
    engine.setTrace(false);
    engine.clearTrace();
    unsetenv("TABLOOM_CHARACTERS");
}

void TrainingFixture::storeSettings(const std::vector<std::pair<std::string, std::string>>& rows) {
    settings_.insert(settings_.end(), rows.begin(), rows.end());
}

Window& TrainingFixture::openConnection() {
    if (!running() && !settings_.empty()) {
        AgntSetFile file;
        file.create();
        file.open();
        for (const auto& [name, value] : settings_) {
            file.rec.SETTING = name;
            file.rec.VALUE = value;
            file.add();
        }
        file.close();
    }
    if (!running()) startProgram();
    if (Window* w = drive::window(kConnectionTitle)) return *w;
    return openWindow(KEY::F2, kConnectionTitle);
}

Window& TrainingFixture::openTraining() {
    Window& connection = openConnection();
    if (Assistant.TRAINMODEON == 0) drive::pressKey(connection, KEY::Shift + KEY::F10);
    drive::pressKey(connection, KEY::Shift + KEY::F11);
    Window* w = training();
    if (!w) throw std::runtime_error("the training window did not open");
    return *w;
}

void TrainingFixture::closeTraining() {
    if (Window* w = training()) drive::click(*w, "?OKBUTTON");
    drive::settle();
}

void TrainingFixture::addRow(const std::string& subject, Long step, const std::function<void(AGNTFILERecord&)>& fill) {
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    AGNTFILE.rec.PROCEDURENAME = kProcedure;
    AGNTFILE.rec.PROCEDUREOMSCHRIJVING = kConnectionTitle;
    AGNTFILE.rec.ONDERWERP = subject;
    AGNTFILE.rec.STEP = step;
    if (step > 0) {
        AGNTFILE.rec.SPEAK = subject + " " + std::to_string(step);
        AGNTFILE.rec.POSITIONX = static_cast<Short>(10 * step);
        AGNTFILE.rec.POSITIONY = static_cast<Short>(20 * step);
        AGNTFILE.rec.SPEED = 500;
        AGNTFILE.rec.ANIBEFOREORAFTER = "A";
        AGNTFILE.rec.CURSORPOSTOVAGENT = "LB";
    }
    if (fill) fill(AGNTFILE.rec);
    if (!AGNTFILE.add()) throw std::runtime_error("row not added: " + ERROR());
}

void TrainingFixture::addSubject(const std::string& subject, const std::vector<Long>& steps) {
    addRow(subject, 0);
    for (Long step : steps) addRow(subject, step);
}

std::vector<std::string> TrainingFixture::steps(const std::string& subject, const std::string& procedure) {
    std::vector<std::string> found;
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.rec.ONDERWERP = subject;
    AGNTFILE.rec.STEP = 1;
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    while (AGNTFILE.next() && AGNTFILE.rec.PROCEDURENAME.view() == procedure && AGNTFILE.rec.ONDERWERP.view() == subject)
        found.push_back(std::to_string(AGNTFILE.rec.STEP) + ":" + AGNTFILE.rec.SPEAK.str());
    return found;
}

std::string TrainingFixture::setting(const std::string& name) {
    return readSetting(name) ? AGNTSET.rec.VALUE.str() : "<missing>";
}

Lines TrainingFixture::takeLines() {
    drive::settle();
    Lines lines = engine.traceLines();
    engine.clearTrace();
    return lines;
}

void TrainingFixture::advance(int hundredths) {
    Clock::advance(std::chrono::milliseconds(10 * hundredths));
    drive::settle();
}
