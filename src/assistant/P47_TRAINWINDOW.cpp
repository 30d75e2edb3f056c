#include "assistant/P47_TRAINWINDOW.h"

#include "assistant/AuthorControls.h"

using namespace platform;

namespace {

constexpr const char* kStepsFormat =
    "24R(2)|M*~Stap~@n5@#4#24R(2)|M~X~@n-6@#9#24R(2)|M~Y~@n-6@#10#28R(2)|M~Snelh.~@n-6@#11#"
    "26C(2)|M~Verpl.~@n1@#15#20C(2)|M~V/N~@s1@#16#60L(2)|M~Animatie~@s50@#17#"
    "120L(2)|M~Zeg~@s255@#18#28C(2)|M~Geluid~@n1@#19#34L(2)|M~Cursorpos.~@s2@#21#";

std::vector<ControlSpec> proceduresTab(TrainLocals& l) {
    return {list("?AGENTPROCEDURELIST", l.APQ, "100L(2)|M~Procedure~@s80@320L(2)|M~Omschrijving~@s80@",
                 {6, 6, 314, 152}),
            button("?VERWIJDERPROCEDUREBUTTON", "&Verwijder Procedure", {6, 162, 84, 14})};
}

std::vector<ControlSpec> subjectsTab(TrainLocals& l) {
    return {list("?AGENTONDERWERPLIST", l.AOQ, "200L(2)|M~Onderwerp~@s50@", {6, 6, 84, 152}),
            list("?AGENTSTAPLIST", l.ASQ, kStepsFormat, {94, 6, 206, 152}),
            arrow("?STAPOMHOOG", "~Arrowup2.ico", {304, 56, 16, 16}),
            arrow("?STAPOMLAAG", "~Arrowdn2.ico", {304, 76, 16, 16}),
            button("?NIEUWONDERWERPBUTTON", "&Nieuw Onderwerp", {6, 162, 74, 14}),
            button("?WIJZIGONDERWERPBUTTON", "&Wijzig Onderwerp", {84, 162, 74, 14}),
            button("?VERWIJDERONDERWERPBUTTON", "&Verwijder Onderwerp", {162, 162, 82, 14})};
}

std::vector<ControlSpec> stepTab(TrainLocals& l) {
    AGENTSTAPRecord& s = l.AGENTSTAP;
    std::vector<ControlSpec> step = {
        prompt("Stap:", 6, 6),
        {.type = CREATE::string, .label = "?AGENTSTAP:STEP", .text = "@n5", .at = {94, 6, 30, 10}, .use = bind(s.STEP)},
        prompt("Beweeg naar x positie:", 6, 20),
        spin("?AGENTSTAP:POSITIONX", bind(s.POSITIONX), {94, 18, 44, 12}),
        prompt("Y positie:", 150, 20),
        spin("?AGENTSTAP:POSITIONY", bind(s.POSITIONY), {194, 18, 44, 12}),
        prompt("Snelheid:", 6, 34),
        spin("?AGENTSTAP:SPEED", bind(s.SPEED), {94, 32, 44, 12}),
        check("?AGENTSTAP:DONNOTMOVE", "Niet bewegen", s.DONNOTMOVE, 150, 34),
        check("?AGENTSTAP:AANWIJSRICHTING", "Aanwijzen", s.AANWIJSRICHTING, 220, 34),
        prompt("Animatie:", 6, 50),
        option("?AGENTSTAP:ANIBEFOREORAFTER", "", bind(s.ANIBEFOREORAFTER), {94, 46, 62, 16},
               {radio("Voor", "B", 98, 50), radio("Na", "A", 130, 50)}),
        combo("?AGENTSTAPANIMATE", bind(s.ANIMATE), l.ANIMATIONS, "100L(2)@s63@", {160, 48, 100, 12}),
        prompt("Zeg de volgende tekst:", 6, 64),
        {.type = CREATE::text, .label = "?AGENTSTAP:SPEAK", .at = {6, 74, 304, 30}, .use = bind(s.SPEAK),
         .vscroll = true},
        check("?AGENTSTAP:ALLEENTEKST", " &Alleen tekst, geen spraak", s.ALLEENTEKST, 6, 107),
        option("?AGENTSTAP:CURSORPOSTOVAGENT", "Cursor t.o.v. Assistent", bind(s.CURSORPOSTOVAGENT),
               {6, 118, 256, 26},
               {radio("&Linksboven", "LB", 10, 130), radio("&Rechtsboven", "RB", 60, 130),
                radio("&Midden", "MM", 114, 130), radio("Links&onder", "LO", 152, 130),
                radio("Rechtso&nder", "RO", 202, 130)}),
        arrow("?VORIGESTAP", "~ArrowLeft.ico", {272, 126, 16, 16}),
        arrow("?VOLGENDESTAP", "~ArrowRight.ico", {292, 126, 16, 16}),
    };
    return {sheet("?STAPSHEET", {4, 2, 316, 172}, {tab("?ASSISTENTSTAPTAB", "Assistent stap", std::move(step))})};
}

std::vector<ControlSpec> generalTab(TrainLocals& l, AssistantFields& a) {
    return {
        prompt("Assistent:", 6, 8),
        {.type = CREATE::entry, .label = "?AGENTNAME", .text = "@s20", .at = {90, 6, 80, 12}, .use = bind(l.AGENTNAME)},
        check("?ZOEKVENSTERTRANSPARANT", "Onderwerp Zoekvenster Transparant", l.ZOEKVENSTERTRANSPARANT, 180, 8),
        prompt("Spreek snelheid:", 6, 24),
        spin("?SELF:SPEAKSPEED", bind(a.SPEAKSPEED), {90, 22, 44, 12}),
        check("?SELF:ASSISTENTBINNENBUREAUBLAD", " Assistent niet buiten bureaublad", a.ASSISTENTBINNENBUREAUBLAD,
              180, 24),
        prompt("Taal:", 6, 40),
        combo("?LANGUAGE", bind(l.LANGUAGE), l.LQ, "120L(2)@s30@", {90, 38, 110, 12}),
        prompt("Vertraging muis:", 6, 56),
        spin("?SELF:SLOWDOWNMOUSEVENTS", bind(a.SLOWDOWNMOUSEVENTS), {90, 54, 44, 12}),
        prompt("Muis Timeout:", 6, 72),
        spin("?SELF:TIMEOUTMOUSEEVENT", bind(a.TIMEOUTMOUSEEVENT), {90, 70, 44, 12}),
        prompt("Type snelheid:", 6, 88),
        spin("?SELF:TYPESNELHEID", bind(a.TYPESNELHEID), {90, 86, 44, 12}),
        text(CREATE::string, "", "aantal karakters per seconde", 140, 88),
        check("?SELF:USEMENTAVOBUTTON", " Laat Assistent knop in beeld zien, als er een onderwerp beschikbaar is",
              a.USEMENTAVOBUTTON, 6, 104),
        prompt("Spreek vertraging:", 6, 120),
        spin("?SELF:SPEAKDELAY", bind(a.SPEAKDELAY), {90, 118, 44, 12}),
        text(CREATE::string, "", "(0 betekent default gebruiken)", 140, 120),
        prompt("Volume:", 6, 136),
        spin("?T1", bind(a.SPEAKSPEED), {90, 134, 44, 12}),
        prompt("Toon hoogte:", 6, 152),
        spin("?T2", bind(a.SPEAKDELAY), {90, 150, 44, 12}),
    };
}

std::vector<ControlSpec> aboutTab() {
    return {text(CREATE::string, "", "Mentavo Beta (versie 24 oktober 2000)", 6, 8),
            {.type = CREATE::image, .label = "?MENTAVOLOGO", .text = "~MentavoLogo.png", .at = {6, 24, 0, 0}}};
}

std::vector<ControlSpec> buttons() {
    return {button("?STAPTOEVOEGENBUTTON", "&Stap toevoegen", {4, 228, 64, 14}),
            button("?RECORDEVENTS", "&Gebeurtenis(sen) toevoegen", {70, 228, 100, 14}),
            button("?WIJZIGSTAPBUTTON", "&Wijzig stap", {172, 228, 60, 14}),
            button("?VERWIJDERSTAPBUTTON", "&Verwijder stap", {234, 228, 64, 14}),
            button("?TESTONDERWERPBUTTON", "&Test Onderwerp", {4, 246, 64, 14}),
            button("?STAPPENZIENBUTTON", "Laat Stappen &zien", {70, 246, 70, 14}),
            button("?TESTMOUSEPOSBUTTON", "Test Stap", {142, 246, 52, 14}),
            button("?ASSISTENTPOSITIEBUTTON", "Assistent &Positie", {196, 246, 70, 14}),
            button("?OKBUTTON", "&Sluiten", {282, 246, 54, 14})};
}

}  // namespace

WindowSpec P47_TRAINWINDOW(TrainLocals& l, AssistantFields& a) {
    std::vector<ControlSpec> controls = {
        sheet("?SELECTEDSHEET", {4, 4, 332, 200},
              {tab("?PROCEDURETAB", "Procedures", proceduresTab(l)), tab("?ONDERWERPTAB", "Onderwerpen", subjectsTab(l)),
               tab("?STAPTAB", "Stap", stepTab(l)), tab("?TAB7", "Algemeen", generalTab(l, a)),
               tab("?TAB6", "Over MS Agent", aboutTab())}),
        prompt("Procedure:", 6, 212),
        {.type = CREATE::entry, .label = "?AGENTSTAPPROCEDURENAME", .text = "@s80", .at = {46, 210, 118, 12},
         .use = bind(l.PROCEDURENAME), .readOnly = true},
        prompt("Onderwerp:", 172, 212),
        {.type = CREATE::entry, .label = "?SELF:ONDERWERP", .text = "@s50", .at = {214, 210, 122, 12},
         .use = bind(a.ONDERWERP), .readOnly = true},
    };
    for (ControlSpec& b : buttons()) controls.push_back(std::move(b));
    return {.label = "P47$TRAINWINDOW",
            .title = "Voeg Assistent stap toe aan procedure",
            .at = {0, 0, 340, 264},
            .center = true,
            .controls = std::move(controls)};
}
