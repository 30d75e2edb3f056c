#include "assistant/P72_STAPPENWINDOW.h"

#include "assistant/AuthorControls.h"

using namespace platform;

namespace {

std::vector<ControlSpec> bottomRows(StappenLocals& l) {
    return {{.type = CREATE::string, .label = "?ACTIEVESTAPSTRING", .text = "@s100", .at = {4, 230, 300, 10},
             .use = bind(l.STATUS)},
            button("?REFRESHBUTTON", "&Laat Stappen zien", {4, 270, 72, 14}),
            button("?NIEUWEBUTTON", "&Nieuwe", {4, 252, 44, 14}),
            button("?WIJZIGBUTTON", "&Wijzig", {50, 252, 44, 14}),
            button("?VERWIJDERBUTTON", "&Verwijder", {96, 252, 44, 14}),
            arrow("?STAPOMHOOG", "~Arrowup2.ico", {142, 252, 16, 14}),
            arrow("?STAPOMLAAG", "~Arrowdn2.ico", {160, 252, 16, 14}),
            button("?SLUITENBUTTON", "&Sluiten", {78, 270, 44, 14})};
}

// Where the step stands and how it gets there; what the character plays,
// says and points at; the buttons that test and close the panel.
std::vector<ControlSpec> editPanel(StappenLocals& l, AGENTSTAPRecord& s) {
    return {
        {.type = CREATE::panel, .label = "?FIRSTENTRYCONTROL", .at = {4, 4, 312, 202}},
        {.type = CREATE::string, .label = "?ACTIEVESTAPSTRING2", .text = "@s100", .at = {10, 8, 300, 10},
         .use = bind(l.STATUS)},
        {.type = CREATE::box, .label = "?BOX1", .at = {8, 20, 304, 40}},
        prompt("Beweeg naar x positie:", 12, 26),
        spin("?AGENTSTAPQUE:POSITIONX", bind(s.POSITIONX), {92, 24, 44, 12}),
        prompt("Y positie:", 146, 26),
        spin("?AGENTSTAPQUE:POSITIONY", bind(s.POSITIONY), {184, 24, 44, 12}),
        prompt("Snelheid:", 12, 42),
        spin("?AGENTSTAPQUE:SPEED", bind(s.SPEED), {92, 40, 44, 12}),
        check("?AGENTSTAPQUE:DONNOTMOVE", "Niet bewegen", s.DONNOTMOVE, 146, 42),
        check("?AGENTSTAPQUE:AANWIJSRICHTING", "Aanwijzen", s.AANWIJSRICHTING, 216, 42),
        {.type = CREATE::box, .label = "?BOX2", .at = {8, 180, 304, 22}},
        button("?TESTONDERWERPBUTTON", "Test &Onderwerp", {12, 184, 70, 14}),
        button("?TESTSTAPBUTTON", "&Test Stap", {86, 184, 56, 14}),
        button("?ASSISTENTPOSITIEBUTTON", "Assistent &Positie", {146, 184, 76, 14}),
        button("?VERBERGENBUTTON", "Ver&bergen", {226, 184, 56, 14}),
        {.type = CREATE::box, .label = "?BOX3", .at = {8, 62, 304, 20}},
        text(CREATE::string, "", "Speel animatie", 12, 68),
        option("?AGENTSTAPQUE:ANIBEFOREORAFTER", "Animatie", bind(s.ANIBEFOREORAFTER), {64, 64, 58, 14},
               {radio("Voor", "B", 66, 67), radio("Na", "A", 96, 67)}),
        text(CREATE::string, "", "de tekst", 124, 68),
        prompt("Animatie:", 162, 68),
        combo("?AGENTSTAPANIMATE", bind(s.ANIMATE), l.ANIMATIONS, "100L(2)@s63@", {200, 66, 108, 12}),
        {.type = CREATE::box, .label = "?BOX4", .at = {8, 84, 304, 94}},
        prompt("Zeg de volgende tekst:", 12, 88),
        {.type = CREATE::text, .label = "?AGENTSTAPQUE:SPEAK", .at = {12, 98, 296, 30}, .use = bind(s.SPEAK),
         .vscroll = true},
        check("?AGENTSTAPQUE:ALLEENTEKST", " &Alleen tekst, geen spraak", s.ALLEENTEKST, 12, 132),
        option("?AGENTSTAPQUE:CURSORPOSTOVAGENT", "Cursor t.o.v. Assistent", bind(s.CURSORPOSTOVAGENT),
               {12, 144, 296, 30},
               {radio("&Linksboven", "LB", 18, 158), radio("&Rechtsboven", "RB", 74, 158),
                radio("&Midden", "MM", 134, 158), radio("Links&onder", "LO", 178, 158),
                {.type = CREATE::radio, .label = "?LASTENTRYCONTROL", .text = "Rechtso&nder", .at = {234, 158, 0, 0},
                 .value = "RO"}}),
    };
}

}  // namespace

WindowSpec P72_STAPPENWINDOW(StappenLocals& l, AGENTSTAPRecord& step) {
    std::vector<ControlSpec> controls = bottomRows(l);
    for (ControlSpec& c : editPanel(l, step)) {
        c.hidden = true;
        for (ControlSpec& radio : c.children) radio.hidden = true;
        controls.push_back(std::move(c));
    }
    return {.label = "P72$STAPPENWINDOW",
            .title = "Laat alle Assistent Stappen zien (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)",
            .at = {0, 0, 400, 290},
            .controls = std::move(controls)};
}
