// Renders every window of the program to PNG files, for a reviewer to look
// at: the program runs offscreen, in a scratch folder of its own, and is
// driven as a user would drive it.
// Usage: render_windows <folder>, or render_windows --shapes <folder> on an
// X server (see scripts/render-windows.sh).
#include "app/connection/ConnectionMemory.h"
#include "app/main/Globals.h"
#include "app/main/Program.h"
#include "assistant/AgentEvents.h"
#include "assistant/AgntFile.h"
#include "assistant/AssistantClass.h"
#include "platform/agent/CharacterEngine.h"
#include "platform/agent/CharacterWindow.h"
#include "platform/agent/SpeechBalloon.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/program/Program.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "restyle/ZelRestyleClass.h"
#include "splash/ZelConfigureShapeClass.h"
#include "stylemanager/P16_CONFIGUREWINDOW.h"
#include "stylemanager/P40_RESTYLEPROGRESSWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

using namespace platform;

namespace {

int failures = 0;

void render(const char* title, const std::string& folder, const std::string& file) {
    Window* w = drive::waitForWindow(title);
    const std::string path = folder + "/" + file;
    if (w && drive::renderPng(*w, path)) {
        std::printf("%s\n", path.c_str());
        return;
    }
    std::fprintf(stderr, "could not render \"%s\"\n", title);
    ++failures;
}

// Pictures for the restyled window, drawn here and read back from disk as
// any wallpaper or icon file is.
std::string drawPicture(const std::string& path, QSize size, void (*draw)(QPainter&, QSize)) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, size);
    p.end();
    image.save(QString::fromStdString(path), "PNG");
    return path;
}

void drawWallpaper(QPainter& p, QSize size) {
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(225, 235, 250));
    gradient.setColorAt(1, QColor(200, 215, 240));
    p.fillRect(QRect(QPoint(), size), gradient);
    p.setPen(QPen(QColor(255, 255, 255, 120), 6));
    p.drawLine(0, size.height(), size.width(), 0);
}

void drawBadge(QPainter& p, QSize size) {
    p.setBrush(QColor(200, 60, 40));
    p.setPen(QPen(QColor(90, 20, 10), 1));
    p.drawEllipse(QRectF(1, 1, size.width() - 2, size.height() - 2));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(5, 5, size.width() - 5, size.height() - 5);
    p.drawLine(size.width() - 5, 5, 5, size.height() - 5);
}

// The connection window as the restyle engine would leave it: every change
// is a property written through the window, none a widget touched.
void restyleThroughProperties(Window& w, const std::string& folder) {
    const std::string wallpaper = drawPicture(folder + "/restyle-wallpaper.png", {48, 48}, drawWallpaper);
    const std::string badge = drawPicture(folder + "/restyle-close.png", {16, 16}, drawBadge);
    w.setProperty(0, PROP::WallPaper, wallpaper);
    w.setProperty(0, PROP::Tiled, 1);
    for (const char* prompt : {"?DSNString:Prompt", "?Username:Prompt", "?Password:Prompt", "?Glo:ConnectString:Prompt"}) {
        const Long n = w.equate(prompt);
        w.setProperty(n, PROP::FontName, "Times New Roman");
        w.setProperty(n, PROP::FontSize, 10);
        w.setProperty(n, PROP::FontStyle, 700 + 0x1000);  // bold italic
        w.setProperty(n, PROP::FontColor, 0x800000);      // navy, as BGR
    }
    for (const char* typed : {"?DSNString", "?Username", "?Password", "?Glo:ConnectString", "?List"}) {
        const Long n = w.equate(typed);
        w.setProperty(n, PROP::FontName, "Courier New");
        w.setProperty(n, PROP::Color, 0xDCFFFF);      // pale yellow
        w.setProperty(n, PROP::FontColor, 0x006400);  // dark green
        w.setProperty(n, PROP::SelectedFillColor, 0x2F6B55);
    }
    const Long examples = w.equate("?ConnectStringExamples");
    w.setProperty(examples, PROP::FontStyle, 700 + 0x2000);  // bold underlined
    w.setProperty(examples, PROP::FontColor, 0x000080);      // maroon
    const Long close = w.equate("?CloseButton");
    w.setProperty(close, PROP::Icon, badge);
    w.setProperty(close, PROP::FontStyle, 700);
    w.setProperty(close, PROP::Tip, "Closes the window");
}

// The connection window opened by F2; a failure when it does not open.
Window* openConnectionWindow(Window& frame) {
    drive::pressKey(frame, KEY::F2);
    Window* connection = drive::waitForWindow("Choose an ODB Cconnection");
    if (!connection) {
        std::fprintf(stderr, "could not open the connection window\n");
        ++failures;
    }
    return connection;
}

ZelRestyleClass& restyleObjectOf(const Window& window) {
    for (ZelRestyleClass* object : StyleManager.RESTYLECLASSLIST)
        if (object->PROCEDUREWINDOW == &window) return *object;
    throw std::runtime_error("the window has no restyle object");
}

// The connection window as "Resize" and "Dynamic sizing of window" stored
// for it leave it, dragged a quarter larger by its corner.
void renderResizedWindow(Window& frame, const std::string& folder) {
    Window* connection = openConnectionWindow(frame);
    if (!connection) return;
    restyleObjectOf(*connection).RESIZEWINDOW = 1;
    connection->setProperty(0, PROP::Resize, 1);
    const Rect size = connection->placement(0);
    drive::resizeBy(*connection, size.width / 4, size.height / 4);
    render("Choose an ODB Cconnection", folder, "resized-window.png");
    drive::click(*connection, "?CloseButton");
}

// The play control over the connection window, with three speeches waiting
// in a pause: folded, then unfolded. The requests are put in its queue
// directly, as no character is needed for the picture.
void renderPlayControl(Window& frame, const std::string& folder) {
    Window* connection = openConnectionWindow(frame);
    if (!connection) return;
    const Byte initialized = Assistant.INITIALIZED;
    Assistant.INITIALIZED = 1;
    drive::pressKey(*connection, KEY::Shift + KEY::F12);
    if (Window* control = drive::waitForWindow("Playcontrol")) {
        drive::click(*control, "?PAUZE");
        Queue<BUFFERAGENTEVENTRecord>& requests = *Assistant.BUFFERAGENTEVENTQUE;
        for (const char* text : {"Welkom bij Tabloom!", "Kies hier uw ODBC verbinding.", "Druk dan op Sluiten."}) {
            requests.rec = {};
            requests.rec.EVENT = AGENT::Speak;
            requests.rec.STRINGVALUE = text;
            requests.rec.REQUEST = "Speak";
            requests.add();
        }
        render("Playcontrol", folder, "play-control-folded.png");
        drive::click(*control, "?SHOWSTEPS");
        render("Playcontrol", folder, "play-control.png");
        drive::click(*control, "?PAUZE");
        requests.free();
        drive::pressKey(*connection, KEY::Shift + KEY::F12);
    } else {
        std::fprintf(stderr, "the play control did not open\n");
        ++failures;
    }
    drive::settle();
    Assistant.INITIALIZED = initialized;
    drive::click(*connection, "?CloseButton");
}

// The connection window while a control is picked on it: the pointer over
// a button marks every button.
void renderPicking(Window& frame, const std::string& folder) {
    Window* connection = openConnectionWindow(frame);
    if (!connection) return;
    restyleObjectOf(*connection).ConfigureDirectly();
    drive::moveMouse(*connection, "?CloseButton", 4, 4);
    Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(300));
    render("-- Push the left mousebutton to select a control or press ESC to quit the configuration -- "
           "Choose an ODB Cconnection",
           folder, "configure-directly.png");
    drive::pressKey(*connection, KEY::Esc);
    if (Window* configure = drive::waitForWindow("Zelora maatwerk")) drive::click(*configure, "?CLOSEBUTTON");
    drive::click(*connection, "?CloseButton");
}

// The restyle editor over the connection window, with buttons offered every
// property: the button type row open, its control under it.
void renderRestyleEditor(Window& frame, const std::string& folder) {
    Window* connection = openConnectionWindow(frame);
    if (!connection) return;
    drive::pressKey(*connection, KEY::Ctrl + KEY::Alt + KEY::letter('S'));
    Window* configure = drive::waitForWindow("Zelora maatwerk");
    int buttons = 1;
    while (buttons < static_cast<int>(StyleManager.CONTROLTYPESQUEUE.records()) &&
           StyleManager.CONTROLTYPESQUEUE.at(static_cast<std::size_t>(buttons)).CONTROLTYPEEQUATE != CREATE::button)
        ++buttons;
    const auto offerButtonProperties = [configure, buttons](const char* button) {
        drive::click(*configure, "?CONFIGUREPROPERTIESBUTTON");
        if (Window* properties = drive::waitForWindow("ZelRestyle")) {
            drive::chooseRow(*properties, "?CONTROLTYPELIST", buttons);
            drive::click(*properties, button);
            drive::click(*properties, "?CLOSEBUTTON");
        }
    };
    if (configure) {
        offerButtonProperties("?COPYALLBUTTON");
        drive::click(*configure, "?CONFIGURERESTYLEBUTTON");
        if (Window* editor = drive::waitForWindow("ZelRestyle")) {
            drive::chooseRow(*editor, "?CONTROLLIST", 2);
            render("ZelRestyle", folder, "restyle-editor.png");
            drive::click(*editor, "?OKBUTTON");
        }
        offerButtonProperties("?DELETEALLBUTTON");
        drive::click(*configure, "?CLOSEBUTTON");
    } else {
        ++failures;
    }
    drive::click(*connection, "?CloseButton");
}

template <class W>
W* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = dynamic_cast<W*>(w); found && found->isVisible()) return found;
    return nullptr;
}

// Subjects' header rows, in a new steps file or added to the one there is.
void writeSubjects(const std::string& procedure, const std::string& description,
                   const std::vector<std::string>& subjects, bool create) {
    AgntFile steps;
    if ((create && !steps.create()) || !steps.open()) {
        std::fprintf(stderr, "could not write the steps file\n");
        ++failures;
        return;
    }
    for (const std::string& subject : subjects) {
        steps.rec.PROCEDURENAME = procedure;
        steps.rec.PROCEDUREOMSCHRIJVING = description;
        steps.rec.ONDERWERP = subject;
        steps.rec.STEP = 0;
        steps.add();
    }
    steps.close();
}

// A subject for the catalogue window, so that it shows the assistant's button.
void writeCatalogueSubject() { writeSubjects("Tabloom", "Woordenboek maken", {"Een tabel kiezen"}, true); }

// Merlin speaking, his balloon above him, on a plain desktop.
void renderMerlinSpeaking(const std::string& folder) {
    agent::CharacterEngine& engine = agent::CharacterEngine::instance();
    const std::string path = folder + "/merlin-speaking.png";
    if (!engine.load("Merlin")) {
        std::fprintf(stderr, "could not load Merlin from %s\n", engine.characterFile("Merlin").c_str());
        ++failures;
        return;
    }
    engine.stopAll("Merlin");  // what the assistant asked of him before
    engine.show("Merlin", true);
    engine.moveTo("Merlin", 300, 260, 0);
    engine.speak("Merlin", "\\Vol=1\\Hallo! Ik ben Merlin.\r\nIk wijs je de weg in dit venster.");
    drive::settle();
    auto* merlin = shownWindow<agent::CharacterWindow>();
    auto* balloon = shownWindow<agent::SpeechBalloon>();
    if (merlin && balloon) {
        const QRect area = merlin->geometry().united(balloon->geometry()).adjusted(-24, -24, 24, 24);
        QImage picture(area.size(), QImage::Format_RGB32);
        picture.fill(QColor(0x3a, 0x6e, 0xa5));
        QPainter painter(&picture);
        painter.drawPixmap(balloon->geometry().topLeft() - area.topLeft(), balloon->grab());
        painter.drawPixmap(merlin->geometry().topLeft() - area.topLeft(), merlin->grab());
        painter.end();
        if (picture.save(QString::fromStdString(path))) std::printf("%s\n", path.c_str());
        else ++failures;
    } else {
        std::fprintf(stderr, "Merlin or his balloon did not show\n");
        ++failures;
    }
    engine.unload("Merlin");
}

// A window dressed by its restyle object: the switches are set here rather
// than stored, so the picture does not depend on the settings files.
class DressedWindow : public ZelRestyleClass {
public:
    explicit DressedWindow(std::string background) : background_(std::move(background)) {}
    void LoadWindowSettings() override {
        ZelRestyleClass::LoadWindowSettings();
        CUSTOMTITLEBAR = 1;
        WINDOWROUNDNESS = 24;
        MARKSELECTEDCONTROLACTIVE = 1;
        MARKSELECTEDCONTROLCONFIGURATION = 2;
        MARKSELECTEDCONTROLCOLOR = 0x0000C0;  // red, as BGR
        IMAGEQUEUE.free();
        IMAGEQUEUERecord& row = IMAGEQUEUE.rec;
        row = {};
        row.IMAGEFILE = background_;
        row.MOVEFROM = 2;  // from the top right corner
        row.XPOS = 70;
        row.WIDTH = 64;
        row.HEIGHT = 100;
        row.HEIGHTINPERCENTAGE = 1;
        row.STYLE = 1;
        row.SHIFTXPOS = 70;  // the controls keep out of its way
        IMAGEQUEUE.add();
    }

private:
    std::string background_;
};

// A JPEG of a sunset, written with libjpeg as a photograph would be.
std::string writeBackground(const std::string& folder) {
    const std::string path = folder + "/restyle-background.jpg";
    QImage image(160, 240, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double t = static_cast<double>(y) / image.height();
            image.setPixelColor(x, y, QColor(static_cast<int>(250 - 120 * t), static_cast<int>(170 - 130 * t),
                                             static_cast<int>(60 + 110 * t)));
        }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return path;
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = image.scanLine(static_cast<int>(info.next_scanline));
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
    return path;
}

// A window with the title bar of controls, rounded corners, a JPEG
// background at its right and the box marking the selected entry.
// The profiles window in its edit mode, over the configuration.
void renderProfiles(Window& configure, const std::string& folder) {
    drive::click(configure, "?CONFIGUREPROFILEBUTTON");
    Window* profiles = drive::waitForWindow("ZelRestyle");
    if (!profiles) {
        std::fprintf(stderr, "could not open the profiles window\n");
        ++failures;
        return;
    }
    drive::click(*profiles, "?NEWPROFILE");
    render("ZelRestyle", folder, "configure-profiles.png");
    drive::click(*profiles, "?CANCELBUTTON");
    drive::click(*profiles, "?CLOSEBUTTON");
}

// The progress window half way: it is up only while the windows are restyled.
void renderRestyleProgress(const std::string& folder) {
    Window* shown = nullptr;
    START([&] {
        Window w(P40_RESTYLEPROGRESSWINDOW());
        w.open();
        w.setProperty(w.equate("?RESTYLEPROGRESS"), PROP::RangeHigh, 4);
        w.setProperty(w.equate("?RESTYLEPROGRESS"), PROP::Progress, 2);
        shown = &w;
        while (w.accept()) {
        }
        shown = nullptr;
    });
    drive::settle();
    const std::string path = folder + "/restyle-progress.png";
    if (shown && drive::renderPng(*shown, path)) {
        std::printf("%s\n", path.c_str());
    } else {
        std::fprintf(stderr, "could not render the progress window\n");
        ++failures;
    }
    if (shown) shown->post({.event = EVENT::CloseWindow});
    drive::settle();
}

void renderDressedWindow(const std::string& folder) {
    const std::string background = writeBackground(folder);
    bool done = false;
    START([&] {
        DressedWindow restyle(background);
        restyle.Init("AppearanceSample", StyleManager);
        Window w({.label = "W", .title = "Orders", .icon = "~Orders.ico", .at = {20, 20, 230, 110},
                  .controls = {{.type = CREATE::prompt, .label = "?Name:Prompt", .text = "&Name:", .at = {8, 10, 40, 10}},
                               {.type = CREATE::entry, .label = "?Name", .text = "@s20", .at = {50, 10, 100, 12}},
                               {.type = CREATE::prompt, .label = "?City:Prompt", .text = "&City:", .at = {8, 30, 40, 10}},
                               {.type = CREATE::entry, .label = "?City", .text = "@s20", .at = {50, 30, 100, 12}},
                               {.type = CREATE::button, .label = "?OK", .text = "&OK", .at = {50, 84, 45, 14}},
                               {.type = CREATE::button, .label = "?Cancel", .text = "Cancel", .at = {105, 84, 45, 14}}}});
        w.open();
        restyle.AddControl("Window", "Window", 0);
        for (Long n : w.controlNumbers()) restyle.AddControl(w.control(n)->label, w.control(n)->label, n);
        restyle.Open(w, 1);
        while (!done && w.accept()) restyle.TakeEvent();
    });
    drive::settle();
    if (Window* w = drive::window("Orders")) drive::click(*w, "?City");
    render("Orders", folder, "restyled-title-bar-rounded.png");
    done = true;
    if (Window* w = drive::window("Orders")) w->post({.event = EVENT::CloseWindow});
    drive::settle();
}

// The recording window over the catalogue, with the rows of a few tab
// choices; closed again without storing them.
void renderRecording(Window& catalogue, const std::string& folder) {
    const Byte initialized = Assistant.INITIALIZED;
    Assistant.INITIALIZED = 1;  // no character needed for the picture
    Assistant.EVENTQUEUE->free();
    Assistant.ACTIVATERECORDEVENTS = RECORDER::Requested;
    const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(&Assistant));
    Assistant.EVENTWINDOWTHREAD = START([address] { AssistantClass::WatchEventsThread(address); });
    Window* recorder = drive::waitForWindow("Gebeurtenis(sen) opnemen");
    if (!recorder) {
        std::fprintf(stderr, "the recording window did not open\n");
        ++failures;
        Assistant.INITIALIZED = initialized;
        return;
    }
    for (const char* tab : {"?ColumnsTab", "?IndexesTab", "?TablesTab"}) {
        drive::chooseTab(catalogue, tab);
        Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(120));
    }
    drive::click(catalogue, "?TableList");
    Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(400));  // the list follows
    render("Gebeurtenis(sen) opnemen", folder, "watch-events.png");
    drive::click(*recorder, "?CLOSEBUTTON");
    drive::answerMessage("&Nee");
    drive::settle();
    Assistant.ACTIVATERECORDEVENTS = RECORDER::Off;
    Assistant.INITIALIZED = initialized;
}

struct StepRow {
    const char* subject;
    Long step, x, y;
    const char* animation;
    const char* speech;
    const char* recorded;  // the procedure whose event the step replays
};

// Rows of the connection window's subjects into the program's steps file.
void writeSteps(const std::vector<StepRow>& rows) {
    AgntFile steps;
    if (!steps.open()) {
        std::fprintf(stderr, "could not open the steps file\n");
        ++failures;
        return;
    }
    for (const auto& r : rows) {
        clearRecord(steps.rec.fieldTable(), &steps.rec);
        steps.rec.PROCEDURENAME = "ChooseODBCconnection";
        steps.rec.PROCEDUREOMSCHRIJVING = "Choose an ODB Cconnection";
        steps.rec.ONDERWERP = r.subject;
        steps.rec.STEP = r.step;
        steps.rec.POSITIONX = static_cast<Short>(r.x);
        steps.rec.POSITIONY = static_cast<Short>(r.y);
        steps.rec.SPEED = 1000;
        steps.rec.ANIBEFOREORAFTER = "B";
        steps.rec.ANIMATE = r.animation;
        steps.rec.SPEAK = r.speech;
        steps.rec.CURSORPOSTOVAGENT = "LB";
        steps.rec.EVENTPROCEDURE = r.recorded;
        if (*r.recorded) steps.rec.EVENT = EVENT::Accepted;
        steps.add();
    }
    steps.close();
}

// Two subjects of the connection window, the first with a recorded step.
void writeTrainingSteps() {
    writeSteps({
        {"Algemeen", 0, 0, 0, "", "", ""},
        {"Algemeen", 1, 120, 30, "Greet", "Hier kiest u de gegevensbron.", ""},
        {"Algemeen", 2, 260, 90, "GestureRight", "De verbindingstekst verschijnt hier.", ""},
        {"Algemeen", 3, -32768, -32768, "", "DSN=TabloomSample", "ChooseODBCconnection"},
        {"Algemeen", 4, 420, 330, "Pleased", "Sluit het venster om te verbinden.", ""},
        {"Voorbeelden", 0, 0, 0, "", "", ""},
    });
}

// Train mode on in the connection window and the training window opened
// there; nullptr when it did not open.
Window* openTraining(Window& connection) {
    drive::pressKey(connection, KEY::Shift + KEY::F10);
    drive::pressKey(connection, KEY::Shift + KEY::F11);
    Window* training =
        drive::waitForWindow("Voeg Assistent stap toe aan procedure ChooseODBCconnection", std::chrono::seconds(20));
    if (!training) {
        std::fprintf(stderr, "the training window did not open\n");
        ++failures;
    }
    return training;
}

// The training window closed, train mode off, the connection window closed.
void closeTraining(Window& connection, Window* training) {
    if (training) drive::click(*training, "?OKBUTTON");
    drive::pressKey(connection, KEY::Shift + KEY::F10);
    drive::click(connection, "?CloseButton");
}

// The training window over the connection window, a picture per tab, and its
// subject window.
void renderTraining(Window& frame, const std::string& folder) {
    writeTrainingSteps();
    drive::pressKey(frame, KEY::F2);
    Window* connection = drive::waitForWindow("Choose an ODB Cconnection");
    if (!connection) {
        ++failures;
        return;
    }
    Window* training = openTraining(*connection);
    if (training) {
        const char* title = "Voeg Assistent stap toe aan procedure ChooseODBCconnection";
        const struct {
            const char* tab;
            const char* file;
        } tabs[] = {{"?PROCEDURETAB", "training-window-procedures.png"},
                    {"?STAPTAB", "training-window-step.png"},
                    {"?TAB7", "training-window-settings.png"},
                    {"?TAB6", "training-window-about.png"},
                    {"?ONDERWERPTAB", "training-window-subjects.png"}};
        for (const auto& t : tabs) {
            drive::chooseTab(*training, t.tab);
            render(title, folder, t.file);
        }
        drive::click(*training, "?NIEUWONDERWERPBUTTON");
        render("Voeg een Onderwerp toe", folder, "subject-window.png");
        if (Window* subject = drive::window("Voeg een Onderwerp toe")) drive::click(*subject, "?CANCELBUTTON");
    }
    closeTraining(*connection, training);
}

// ---- shaped windows, on an X server where masks apply --------------------

// Lets the X server map and paint what changed, in real time.
void letTheScreenCatchUp() {
    drive::settle();
    Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(300));
}

// What the screen shows around the window: its shape is cut by the X server,
// so the desktop (or the window below) shows through.
void grabAround(const Window& w, const std::string& path) {
    RECT r;
    letTheScreenCatchUp();
    if (!GetWindowRect(w.handle(), r)) {
        ++failures;
        return;
    }
    const QRect area = QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)).adjusted(-16, -16, 16, 16);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (shot.save(QString::fromStdString(path))) {
        std::printf("%s\n", path.c_str());
    } else {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        ++failures;
    }
}

// The screen from its top, that share of its height.
void grabScreen(const std::string& path, double heightShare) {
    letTheScreenCatchUp();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect whole = screen->geometry();
    const QPixmap shot = screen->grabWindow(0, 0, 0, whole.width(), static_cast<int>(whole.height() * heightShare));
    if (shot.save(QString::fromStdString(path))) {
        std::printf("%s\n", path.c_str());
    } else {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        ++failures;
    }
}

// A desktop below every window, so that what a shape leaves out shows.
class Desktop : public QWidget {
public:
    Desktop() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint) {
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawWallpaper(p, size());
    }
};

// A window like the assistant's author windows: buttons, one of them hidden,
// a prompt, and a line drawn right to left and upwards.
WindowSpec shapeProbe() {
    return {.label = "Probe",
            .title = "Assistent stap",
            .at = {80, 70, 300, 170},
            .pixels = true,
            .controls = {{.type = CREATE::prompt, .label = "?Prompt", .text = "Onderwerp:", .at = {16, 16, 80, 16}},
                         {.type = CREATE::button, .label = "?Ok", .text = "&Opslaan", .at = {16, 44, 90, 28}},
                         {.type = CREATE::button, .label = "?Hidden", .text = "&Verborgen", .at = {16, 84, 90, 28},
                          .hidden = true},
                         {.type = CREATE::button, .label = "?Close", .text = "&Sluiten", .at = {190, 124, 90, 28}},
                         {.type = CREATE::line, .label = "?Line", .at = {270, 110, -120, -80}}}};
}

void renderShapes(const std::string& folder) {
    Desktop desktop;
    desktop.show();
    AssistantClass assistant;
    assistant.Construct();
    AGNTFILERecord step;
    step.POSITIONX = 180;
    step.POSITIONY = 60;
    step.CURSORPOSTOVAGENT = "LB";
    bool placing = false;
    Window* probe = nullptr;
    START([&] {
        // Merlin stands where the step places him.
        assistant.LoadSettings();
        assistant.Init();
        Window w(shapeProbe());
        probe = &w;
        w.open();
        const Long last = w.lastControl();
        const struct {
            const char* file;
            std::function<void()> shape;
        } shapes[] = {
            {"shape-corners.png", [&] { assistant.ShapeWindowCorners(w.handle()); }},
            {"shape-controls.png", [&] { assistant.ShapeWindowToControls(w.handle(), 1, last, 0); }},
            {"shape-controls-only.png", [&] { assistant.ShapeWindowToControls(w.handle(), 1, last, 1); }},
        };
        for (const auto& s : shapes) {
            s.shape();
            grabAround(w, folder + "/" + s.file);
        }
        {
            Byte fading = 0;
            Window configure(P16_CONFIGUREWINDOW(fading));
            configure.open();
            ZelConfigureShapeClass().BuildShapedWindowRegion();
            grabAround(configure, folder + "/configure-shaped.png");
            configure.close();
        }
        assistant.ShapeWindowCorners(w.handle());
        assistant.TakeWindowPosition(w.handle());
        placing = true;
        assistant.BepaalAssistentPositie(step);
        placing = false;
        probe = nullptr;
    });
    Scheduler::instance().pumpUntil([&] { return placing; }, std::chrono::seconds(20));
    if (Window* position = drive::waitForWindow(
            "Nieuwe Assistent positie bepalen (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)")) {
        RECT r;
        // The character follows the pointer to the right of the window.
        if (probe && GetWindowRect(probe->handle(), r)) drive::movePointer(r.right + 40, r.top + 20);
        grabScreen(folder + "/position-window.png", 2.0 / 3);
        drive::pressKey(*position, KEY::Esc);
    } else {
        std::fprintf(stderr, "the position window did not open\n");
        ++failures;
    }
    Scheduler::instance().pumpUntil([&] { return !placing; }, std::chrono::seconds(5));
    if (probe) probe->post({.event = EVENT::CloseWindow});
    bool ended = false;
    START([&] {
        assistant.Destruct();
        ended = true;
    });
    Scheduler::instance().pumpUntil([&] { return ended; }, std::chrono::seconds(5));
}

// The steps overview of a subject of three steps over the connection
// window, in the running program.
void renderStepsOverview(const std::string& folder) {
    ConnectionMemory{"TabloomSample", "", "", "DSN=TabloomSample"}.store();
    startProgram(programModules(), ProgramBody);
    if (Window* splash = drive::waitForWindow("Tabloom splash")) drive::click(*splash, "?CloseButton");
    Window* frame = drive::waitForWindow("Tabloom version 1.05");
    if (!frame) {
        ++failures;
        return;
    }
    writeSteps({
        {"Algemeen", 0, 0, 0, "", "", ""},
        {"Algemeen", 1, 60, 40, "", "Hier kiest u de gegevensbron.", ""},
        {"Algemeen", 2, 300, 110, "", "De verbindingstekst verschijnt hier.", ""},
        {"Algemeen", 3, 160, 250, "", "Sluit het venster om te verbinden.", ""},
    });
    drive::pressKey(*frame, KEY::F2);
    if (Window* connection = drive::waitForWindow("Choose an ODB Cconnection")) {
        Window* training = openTraining(*connection);
        if (training) {
            drive::click(*training, "?STAPPENZIENBUTTON");
            if (Window* overview = drive::waitForWindow(
                    "Laat alle Assistent Stappen zien (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)")) {
                grabScreen(folder + "/steps-overview.png", 1);
                drive::pressKey(*overview, KEY::Esc);
            } else {
                std::fprintf(stderr, "the steps overview did not open\n");
                ++failures;
            }
        }
        closeTraining(*connection, training);
    } else {
        ++failures;
    }
    drive::chooseMenu(*frame, "?EXIT");
    Scheduler::instance().pumpUntil(programEnded);
    finishProgram();
}

// The properties window with the button's properties offered, and the
// images window with one image open in the image window.
void renderConfigurationWindows(Window& configure, const std::string& folder) {
    // Both are titled "ZelRestyle": each is taken once the other has gone.
    drive::click(configure, "?CONFIGUREPROPERTIESBUTTON");
    if (Window* properties = drive::waitForWindow("ZelRestyle")) {
        drive::chooseRow(*properties, "?CONTROLTYPELIST", 2);
        drive::click(*properties, "?COPYALLBUTTON");
        render("ZelRestyle", folder, "configure-properties.png");
        drive::click(*properties, "?DELETEALLBUTTON");
        drive::click(*properties, "?CLOSEBUTTON");
    }
    drive::click(configure, "?CONFIGUREIMAGESBUTTON");
    if (Window* images = drive::waitForWindow("ZelRestyle")) {
        drive::click(*images, "?ENABLEGRAFICENHANCEMEN");
        render("ZelRestyle", folder, "configure-images.png");
        drive::click(*images, "?INSERTIMAGEBUTTON");
        render("Image properties", folder, "configure-image.png");
        if (Window* image = drive::window("Image properties")) drive::click(*image, "?CANCELBUTTON");
        drive::click(*images, "?ENABLEGRAFICENHANCEMEN");
        drive::click(*images, "?OKBUTTON");
    }
}

}  // namespace

int main(int argc, char** argv) {
    // With --shapes: the shaped windows alone, on the X server of $DISPLAY
    // (Xvfb) with the xcb platform, where masks are applied.
    const bool shapes = argc > 1 && std::string(argv[1]) == "--shapes";
    qputenv("QT_QPA_PLATFORM", shapes ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    const QString pictures = QDir(argc > 1 + shapes ? argv[1 + shapes] : "screens").absolutePath();
    QDir().mkpath(pictures);
    const std::string folder = pictures.toStdString();
    // The files the program makes in its folder stay out of the caller's.
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    if (shapes) {
        renderStepsOverview(folder);
        renderShapes(folder);
        return failures == 0 ? 0 : 1;
    }
    writeCatalogueSubject();

    // The connection window starts from the sample data source.
    ConnectionMemory{"TabloomSample", "", "", "DSN=TabloomSample"}.store();
    startProgram(programModules(), ProgramBody);
    // The splash, once its circle has opened: the logo alone.
    render("Tabloom splash", folder, "splash.png");
    if (Window* splash = drive::window("Tabloom splash")) drive::click(*splash, "?CloseButton");
    Window* frame = drive::waitForWindow("Tabloom version 1.05");
    if (!frame) return 1;
    render("Tabloom version 1.05", folder, "main-frame.png");

    // Two subjects for the frame, written once its picture is taken: F12 lets
    // the user choose one.
    writeSubjects("Main", "Hoofdvenster", {"Verbinding maken", "Catalogus bekijken"}, false);
    drive::pressKey(*frame, KEY::F12);
    render(" Kies een Onderwerp...", folder, "choose-subject.png");
    if (Window* chooser = drive::window(" Kies een Onderwerp...")) drive::click(*chooser, "?CANCELBUTTON");

    drive::pressKey(*frame, KEY::F4);  // no connection yet: the message, then the connection window
    render("", folder, "message-select-connection.png");
    drive::answerMessage("&OK");
    render("Choose an ODB Cconnection", folder, "choose-odbc-connection.png");
    if (Window* connection = drive::window("Choose an ODB Cconnection")) {
        restyleThroughProperties(*connection, folder);
        render("Choose an ODB Cconnection", folder, "restyled-window.png");
        drive::click(*connection, "?CloseButton");
    }
    renderResizedWindow(*frame, folder);
    renderPlayControl(*frame, folder);
    // The configuration and its windows unfaded, or a fade would be caught half way.
    StyleManager.USEFADING = 0;
    renderPicking(*frame, folder);

    drive::pressKey(*frame, KEY::F4);
    if (Window* catalogue = drive::waitForWindow("Tabloom")) {
        for (const char* tab : {"?TablesTab", "?ColumnsTab", "?PrimaryKeysTab", "?IndexesTab", "?RelationsTab"}) {
            drive::chooseTab(*catalogue, tab);
            const std::string name = lower(std::string(tab).substr(1));
            render("Tabloom", folder, "tabloom-" + name + ".png");
        }
        drive::chooseTab(*catalogue, "?TablesTab");
        render("Tabloom", folder, "tabloom-assistant-button.png");
        renderRecording(*catalogue, folder);
    }
    drive::pressKey(*frame, KEY::F3);
    if (Window* query = drive::waitForWindow("Browse an ODBC connection")) {
        render("Browse an ODBC connection", folder, "browse-odbc-connection.png");
        drive::chooseRow(*query, "?TableList", 1);  // the automatic query replaces the hint text
        drive::click(*query, "?ExecuteQueryButton");
        drive::chooseTab(*query, "?ResultTab");
        render("Browse an ODBC connection", folder, "browse-odbc-connection-results.png");
        drive::chooseTab(*query, "?OptionsTab");
        render("Browse an ODBC connection", folder, "browse-odbc-connection-options.png");
        drive::click(*query, "?QueryBuilderButton");
        render("SQL Query wizard", folder, "query-builder.png");
        if (Window* builder = drive::window("SQL Query wizard")) drive::click(*builder, "?CancelButton");
    }
    render("Tabloom version 1.05", folder, "main-frame-with-windows.png");
    drive::chooseMenu(*frame, "?APPLICATIONSETTINGSRESTYLEAPPLICATION");
    render("Zelora maatwerk", folder, "configure.png");
    if (Window* configure = drive::window("Zelora maatwerk")) {
        renderProfiles(*configure, folder);
        renderConfigurationWindows(*configure, folder);
        drive::click(*configure, "?CLOSEBUTTON");
    }
    renderRestyleEditor(*frame, folder);
    renderRestyleProgress(folder);
    renderTraining(*frame, folder);
    renderDressedWindow(folder);
    renderMerlinSpeaking(folder);

    drive::chooseMenu(*frame, "?EXIT");
    Scheduler::instance().pumpUntil(programEnded);
    finishProgram();
    return failures == 0 ? 0 : 1;
}
