// The training window in the running program, opened over the connection
// window (F2) as an author opens it: Shift+F10, then Shift+F11. The character
// engine traces, the clock is a fake one, AGNTFILE and AGNTSET lie in the
// test's folder, and the characters (Merlin, and Robin, a copy of him) in a
// folder of its own.
#pragma once

#include "programsupport/ProgramFixture.h"
#include "support/TempFolder.h"

#include "assistant/AgntFile.h"
#include "platform/agent/CharacterEngine.h"
#include "platform/ui/Window.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using Lines = std::vector<std::string>;

inline constexpr const char* kProcedure = "ChooseODBCconnection";
inline constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
inline constexpr const char* kTrainingTitle = "Voeg Assistent stap toe aan procedure ChooseODBCconnection";
inline constexpr const char* kSubjectTitle = "Voeg een Onderwerp toe";
inline constexpr const char* kPositionTitle =
    "Nieuwe Assistent positie bepalen (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)";

class TrainingFixture : public ProgramFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Settings rows written before the program starts, so it reads them.
    void storeSettings(const std::vector<std::pair<std::string, std::string>>& rows);
    // Starts the program (storing the settings given so far) and opens the
    // connection window.
    platform::Window& openConnection();
    // Train mode on (when it is off), then the training key; the window
    // that opened.
    platform::Window& openTraining();
    platform::Window* training() { return platform::drive::window(kTrainingTitle); }
    // "&Sluiten", and the program's turn.
    void closeTraining();

    // A row of the connection window's procedure: a header when `step` is 0;
    // a step speaks "<subject> <step>" unless `fill` says otherwise.
    static void addRow(const std::string& subject, platform::Long step,
                       const std::function<void(AGNTFILERecord&)>& fill = {});
    static void addSubject(const std::string& subject, const std::vector<platform::Long>& steps);
    // The steps of the subject as "number:speech", in order.
    static std::vector<std::string> steps(const std::string& subject, const std::string& procedure = kProcedure);
    static std::string setting(const std::string& name);
    // The engine's lines since the last call.
    Lines takeLines();
    // The fake clock moved on, and every thread run.
    static void advance(int hundredths);

    platform::agent::CharacterEngine& engine = platform::agent::CharacterEngine::instance();
    TempFolder characters;

private:
    std::vector<std::pair<std::string, std::string>> settings_;
};
