// The walk through the restyle catalogue: for every standard property on
// every control type that has it, a small window of that type is opened
// offscreen, the property is written through the model, and what the user
// gets is looked at: the rendered pixels and the widget's state (font, tip,
// cursor, visibility, geometry, ...). A pair the view cannot show must at
// least read back what was written.
#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ShownProperties.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <functional>
#include <map>
#include <set>
#include <gtest/gtest.h>

using namespace platform;

namespace {

#define SAMPLEROW_FIELDS(X) X(CString<40>, NAME)
struct SampleRow {
    TABLOOM_RECORD(SampleRow, "", SAMPLEROW_FIELDS)
};

namespace C = CREATE;

// What the user gets from a control or window: its picture and its state.
struct Look {
    QImage picture;
    std::string state;
    bool operator==(const Look&) const = default;
};

std::string policy(Qt::ScrollBarPolicy p) { return std::to_string(static_cast<int>(p)); }

// The state of a widget that a picture need not show.
std::string stateOf(const QWidget* w) {
    std::string s = fromQString(w->toolTip()) + "|" + fromQString(w->statusTip()) + "|" +
                    std::to_string(w->cursor().shape()) + "|" + std::to_string(w->focusPolicy()) + "|" +
                    std::to_string(w->isEnabled()) + std::to_string(w->isVisibleTo(w->parentWidget())) + "|" +
                    std::to_string(w->x()) + "," + std::to_string(w->y()) + "," + std::to_string(w->width()) + "," +
                    std::to_string(w->height()) + "|" + fromQString(w->font().toString()) + "|";
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) s += std::to_string(b->autoRepeat());
    if (auto* b = qobject_cast<const QPushButton*>(w)) s += std::to_string(b->isDefault()) + std::to_string(b->isFlat());
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        s += std::to_string(e->maxLength()) + std::to_string(e->isReadOnly()) + std::to_string(e->echoMode());
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        s += std::to_string(t->lineWrapMode()) + std::to_string(t->overwriteMode()) + std::to_string(t->isReadOnly());
    if (auto* a = qobject_cast<const QAbstractScrollArea*>(w))
        s += policy(a->horizontalScrollBarPolicy()) + policy(a->verticalScrollBarPolicy());
    if (auto* c = qobject_cast<const QComboBox*>(w)) {
        s += std::to_string(c->maxVisibleItems()) + "," + std::to_string(c->view()->minimumWidth()) + "," +
             std::to_string(c->view()->sizeHintForRow(0)) + "," +
             fromQString(c->view()->palette().color(QPalette::Highlight).name()) +
             fromQString(c->view()->palette().color(QPalette::HighlightedText).name()) + "," +
             policy(c->view()->horizontalScrollBarPolicy()) + policy(c->view()->verticalScrollBarPolicy());
        for (int i = 0; i < c->count(); ++i) s += "," + fromQString(c->itemText(i));
        if (c->lineEdit()) s += stateOf(c->lineEdit());
    }
    if (auto* spin = qobject_cast<const QSpinBox*>(w))
        s += std::to_string(spin->minimum()) + "," + std::to_string(spin->maximum()) + "," +
             std::to_string(spin->singleStep()) + "," + stateOf(spin->findChild<QLineEdit*>());
    if (auto* bar = qobject_cast<const QProgressBar*>(w))
        s += std::to_string(bar->minimum()) + "," + std::to_string(bar->maximum());
    if (auto* sheet = qobject_cast<const QTabWidget*>(w)) {
        s += std::to_string(sheet->tabPosition()) + std::to_string(sheet->documentMode()) +
             std::to_string(sheet->usesScrollButtons());
        for (int i = 0; i < sheet->count(); ++i)
            s += "," + fromQString(sheet->tabToolTip(i)) + std::to_string(sheet->isTabEnabled(i)) +
                 std::to_string(sheet->isTabVisible(i));
    }
    return s;
}

std::string stateOf(const QAction* a) {
    return fromQString(a->text()) + "|" + fromQString(a->statusTip()) + "|" + std::to_string(a->isEnabled()) +
           std::to_string(a->isVisible());
}

// Pixels within a small distance of the colour.
int pixelsOf(const QImage& image, const QColor& color) {
    int count = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor p = rgb.pixelColor(x, y);
            if (std::abs(p.red() - color.red()) + std::abs(p.green() - color.green()) +
                    std::abs(p.blue() - color.blue()) <= 60)
                ++count;
        }
    return count;
}

// A window of one type (the window itself, or a control "?C" in one) open on
// a thread of its own.
class Sample {
public:
    Sample(Long type, Queue<SampleRow>& rows, CString<40>& value) : type_(type) {
        START([this, spec = specFor(type, rows, value)] {
            Window w(spec);
            window_ = &w;
            w.open();
            while (w.accept()) {
            }
            window_ = nullptr;
        });
        drive::settle();
        if (window_ && !isFrame()) control_ = window_->equate("?C");
    }
    ~Sample() {
        if (window_) window_->post({EVENT::CloseWindow, 0, 0});
        drive::settle();
    }
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

    bool opened() const { return window_ != nullptr; }
    Window& window() const { return *window_; }
    Long control() const { return control_; }
    Long type() const { return type_; }
    bool isFrame() const { return type_ == C::window || type_ == C::application; }
    bool isMenu() const { return type_ == C::menu || type_ == C::item; }

    void set(Long prop, const std::string& value) {
        window_->setProperty(control_, prop, value);
        drive::settle();
    }
    std::string get(Long prop) const { return window_->property(control_, prop); }

    QAction* action() const { return window_->view()->action(control_); }
    // The widget that shows the control; a tab shows on its sheet.
    QWidget* widget() const {
        if (isFrame()) return window_->view()->outer();
        if (type_ == C::tab) return window_->view()->widget(window_->equate("?S"));
        return window_->view()->widget(control_);
    }
    // Where a frame's fonts and tips show: its string.
    QWidget* textWidget() const {
        return isFrame() ? window_->view()->widget(window_->equate("?S")) : widget();
    }

    Look look() const {
        if (isMenu()) return {action()->icon().pixmap(16, 16).toImage(), stateOf(action())};
        QWidget* w = widget();
        Look look{w->grab().toImage(), stateOf(w)};
        if (isFrame()) {
            look.state += "|" + std::to_string(w->windowState()) + "|" + std::to_string(w->minimumWidth()) + "," +
                          std::to_string(w->minimumHeight()) + "," + std::to_string(w->maximumWidth()) + "," +
                          std::to_string(w->maximumHeight()) + "|" +
                          std::to_string(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) + "|" +
                          std::to_string(window_->view()->cursor().shape()) + "|" + stateOf(textWidget());
            if (QStatusBar* bar = window_->view()->statusBar()) look.state += fromQString(bar->font().toString());
        }
        return look;
    }

private:
    static WindowSpec specFor(Long type, Queue<SampleRow>& rows, CString<40>& value) {
        const Rect at{10, 10, 120, 40};
        static const std::set<Long> bound = {C::sstring, C::entry,    C::combo, C::spin,  C::text,
                                             C::dropcombo, C::droplist, C::check, C::option, C::progress};
        ControlSpec c{.type = type, .label = "?C", .text = "Sample", .at = at};
        if (bound.contains(type)) c.use = bind(value);
        WindowSpec w{.label = "W", .title = "Sample", .at = {0, 0, 220, 120}, .statusBar = true};
        switch (type) {
            case C::window:
            case C::application:
                w.type = type;
                w.controls = {{.type = C::sstring, .label = "?S", .text = "@s20", .at = {10, 10, 0, 0}, .use = bind(value)}};
                if (type == C::application)
                    w.menubar = {{.type = C::menu, .label = "?M", .text = "&File"}};
                return w;
            case C::menu:
            case C::item:
                // A menu of the bar shows no icon: the one sampled is a submenu.
                w.type = C::application;
                w.menubar = {{.type = C::menu, .label = "?M", .text = "&File",
                              .children = {{.type = type, .label = "?C", .text = "&Open",
                                            .children = {{.type = C::item, .label = "?I", .text = "&Last"}}}}}};
                return w;
            case C::sstring:
            case C::entry:
            case C::combo:
            case C::dropcombo:
            case C::spin: c.text = "@s20"; break;
            case C::image: c.text.clear(); break;
            case C::list:
            case C::droplist: c.format = "80L(2)@s20@"; break;
            case C::radio:
                w.controls = {{.type = C::option, .label = "?O", .text = "Options", .at = {5, 5, 150, 60},
                               .use = bind(value), .children = {{.type = C::radio, .label = "?C", .text = "Sample",
                                                                 .at = {10, 15, 80, 12}}}}};
                return w;
            case C::option:
                c.children = {{.type = C::radio, .label = "?R", .text = "Sample", .at = {20, 25, 80, 12}}};
                break;
            case C::group:
                c.children = {{.type = C::string, .label = "?G", .text = "Inside", .at = {20, 25, 0, 0}}};
                break;
            case C::sheet:
                c.children = {{.type = C::tab, .label = "?T1", .text = "First tab"},
                              {.type = C::tab, .label = "?T2", .text = "Second"}};
                c.at = {5, 5, 180, 80};
                break;
            case C::tab:
                w.controls = {{.type = C::sheet, .label = "?S", .at = {5, 5, 180, 80},
                               .children = {{.type = C::tab, .label = "?C", .text = "First tab"},
                                            {.type = C::tab, .label = "?T2", .text = "Second"}}}};
                return w;
            case C::toolbar:
                c.at = {0, 0, 0, 20};
                c.children = {{.type = C::button, .label = "?B", .text = "Go", .at = {2, 2, 30, 14}}};
                break;
            default: break;
        }
        if (type == C::list || type == C::combo || type == C::dropcombo || type == C::droplist) c.from = &rows;
        w.controls = {c};
        return w;
    }

    Long type_;
    Window* window_ = nullptr;
    Long control_ = 0;
};

using Check = std::function<void(const Sample&)>;

// Two values whose looks must differ, writes that come first, and what the
// second value must show.
struct Probe {
    std::string before, after;
    std::vector<std::pair<Long, std::string>> setup = {};
    Check check = nullptr;
    bool selectText = false;  // the look needs the control's text selected
};

const QColor kGreen(0, 255, 0);
constexpr const char* kGreenNumber = "65280";  // BGR

Check showsColor(QColor color) {
    return [color](const Sample& s) { EXPECT_GT(pixelsOf(s.look().picture, color), 0) << "no such pixel"; };
}

Check fontFamilyIs(const char* typeface) {
    return [family = mappedFont(typeface, 8).family()](const Sample& s) {
        EXPECT_EQ(s.textWidget()->font().family(), family);
    };
}

QString tipOf(const Sample& s) {
    if (s.type() == C::tab) return static_cast<QTabWidget*>(s.widget())->tabToolTip(0);
    return s.widget()->toolTip();
}

// The picture files the wallpaper and image rows use: plain green, and a
// picture half red, half green that tiles, centres and stretches differently.
struct Pictures {
    QTemporaryDir dir;
    std::string green = (dir.path() + "/green.png").toStdString();
    std::string halves = (dir.path() + "/halves.png").toStdString();
    Pictures() {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(kGreen);
        image.save(QString::fromStdString(green));
        QPainter(&image).fillRect(0, 0, 4, 8, Qt::red);
        image.save(QString::fromStdString(halves));
    }
};

std::map<std::pair<std::string, Long>, Probe> probes(const Pictures& pictures) {
    const auto tiled = std::vector<std::pair<Long, std::string>>{{PROP::WallPaper, pictures.halves},
                                                                 {PROP::Text, pictures.halves}};
    return {
        {{"Text", 0}, {"One", "Two Three"}},
        // An image's text names its picture file.
        {{"Text", C::image}, {"", pictures.green, {}, showsColor(kGreen)}},
        {{"Center", 0}, {"0", "1"}},
        {{"CenterOffSet", 0}, {"0", "20"}},
        {{"Left", 0}, {"0", "1", {{PROP::Right, "1"}}}},
        {{"LeftOffSet", 0}, {"0", "60"}},
        {{"Decimal", 0}, {"0", "1"}},
        {{"DecimalOffSet", 0}, {"0", "20"}},
        {{"Right", 0}, {"0", "1"}},
        {{"RightOffSet", 0}, {"0", "20"}},
        {{"Above", 0}, {"0", "1", {{PROP::Below, "1"}}}},
        {{"AboveSize", 0}, {"0", "60", {{PROP::Above, "1"}}}},
        {{"Below", 0}, {"0", "1"}},
        {{"BelowSize", 0}, {"0", "60"}},
        {{"Font", 0}, {"Arial", "Courier New", {}, fontFamilyIs("Courier New")}},
        {{"FontName", 0}, {"Arial", "Courier New", {}, fontFamilyIs("Courier New")}},
        {{"FontSize", 0}, {"8", "14", {}, [](const Sample& s) { EXPECT_EQ(s.textWidget()->font().pointSize(), 14); }}},
        {{"FontColor", 0}, {"255", "16711680", {}, showsColor(Qt::blue)}},
        {{"FontStyle", 0}, {"400", "4796", {}, [](const Sample& s) {
             EXPECT_EQ(s.textWidget()->font().weight(), QFont::Bold);
             EXPECT_TRUE(s.textWidget()->font().italic());
         }}},
        {{"StatusFont", 0}, {"Arial", "Courier New", {}, [](const Sample& s) {
             EXPECT_EQ(s.window().view()->statusBar()->font().family(), mappedFont("Courier New", 8).family());
         }}},
        {{"Range", 0}, {"0", "50", {{PROP::RangeHigh, "100"}}}},
        {{"RangeLow", 0}, {"0", "50", {{PROP::RangeHigh, "100"}}}},
        {{"RangeHigh", 0}, {"100", "10"}},
        {{"VCR", 0}, {"0", "1"}},
        {{"Double", 0}, {"0", "1"}},
        {{"Resize", 0}, {"0", "1"}},
        {{"NoFrame", 0}, {"0", "1"}},
        {{"Boxed", 0}, {"0", "1"}},
        {{"Cursor", 0}, {"", "Wait", {}, [](const Sample& s) {
             const QWidget* w = s.isFrame() ? s.window().view() : s.widget();
             EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
         }}},
        {{"Default", 0}, {"0", "1"}},
        {{"Disable", 0}, {"0", "1", {}, [](const Sample& s) {
             const bool enabled = s.isMenu()            ? s.action()->isEnabled()
                                  : s.type() == C::tab ? static_cast<QTabWidget*>(s.widget())->isTabEnabled(0)
                                                       : s.widget()->isEnabled();
             EXPECT_FALSE(enabled);
         }}},
        {{"Read-only", 0}, {"0", "1"}},
        {{"Drop", 0}, {"3", "8"}},
        {{"Fill", 0}, {"-1", kGreenNumber, {}, showsColor(kGreen)}},
        {{"From", 0}, {"a|b", "c|d|e"}},
        {{"Full", 0}, {"0", "1", {{PROP::Width, "0"}, {PROP::Height, "0"}}}},
        {{"Hide", 0}, {"0", "1", {}, [](const Sample& s) {
             const bool visible = s.isMenu()            ? s.action()->isVisible()
                                  : s.type() == C::tab ? static_cast<QTabWidget*>(s.widget())->isTabVisible(0)
                                                       : s.widget()->isVisible();
             EXPECT_FALSE(visible);
         }}},
        {{"HSCROLL", 0}, {"0", "1"}},
        {{"VSCROLL", 0}, {"0", "1"}},
        {{"Icon", 0}, {"", "~EXCLAMATION"}},
        {{"Iconize", 0}, {"0", "1", {}, [](const Sample& s) { EXPECT_TRUE(s.widget()->isMinimized()); }}},
        {{"Key", 0}, {"0", std::to_string(KEY::Ctrl + 'S')}},
        {{"MAX", 0}, {"0", "1"}},
        {{"Maximize", 0}, {"0", "1", {}, [](const Sample& s) { EXPECT_TRUE(s.window().view()->maximized()); }}},
        {{"Msg", 0}, {"", "Hello", {}, [](const Sample& s) {
             EXPECT_EQ(s.isMenu() ? s.action()->statusTip() : s.widget()->statusTip(), "Hello");
         }}},
        {{"NoBar", 0}, {"0", "1", {{PROP::From, "a|b"}, {PROP::Selected, "1"}}}},
        {{"Password", 0}, {"0", "1", {{PROP::ScreenText, "Secret"}}}},
        {{"Round", 0}, {"0", "1"}},
        {{"Skip", 0}, {"0", "1"}},
        {{"Step", 0}, {"1", "5"}},
        {{"SYSTEM", 0}, {"1", "0"}},
        {{"Format", 0}, {"80L(2)@s20@", "80L(2)@s1@", {{PROP::From, "Sample|Other"}}}},
        {{"Trn", 0}, {"0", "1", {{PROP::Color, kGreenNumber}}}},
        {{"ToolBox", 0}, {"0", "1"}},
        {{"Tip", 0}, {"", "Hello", {}, [](const Sample& s) { EXPECT_EQ(tipOf(s), "Hello"); }}},
        {{"MinWidth", 0}, {"0", "100"}},
        {{"MinHeight", 0}, {"0", "100"}},
        {{"MaxWidth", 0}, {"0", "100"}},
        {{"MaxHeight", 0}, {"0", "100"}},
        {{"Spread", 0}, {"0", "1"}},
        {{"BevelStyle", 0}, {"0", "65535", {{PROP::BevelOuter, "2"}}}},
        {{"NoSheet", 0}, {"0", "1"}},
        {{"BevelOuter", 0}, {"0", "-3"}},
        {{"BevelInner", 0}, {"0", "3"}},
        {{"LineWidth", 0}, {"1", "5"}},
        {{"Angle", 0}, {"0", "900"}},
        {{"Color", 0}, {"-1", kGreenNumber, {}, showsColor(kGreen)}},
        {{"Background", 0}, {"-1", kGreenNumber, {}, showsColor(kGreen)}},
        {{"FillColor", 0}, {"-1", kGreenNumber, {}, showsColor(kGreen)}},
        {{"SelectedColor", 0}, {"-1", kGreenNumber, {{PROP::From, "a|b"}, {PROP::Selected, "1"}}, nullptr, true}},
        {{"SelectedFillColor", 0}, {"-1", kGreenNumber, {{PROP::From, "a|b"}, {PROP::Selected, "1"}}, showsColor(kGreen), true}},
        {{"LineHeight", 0}, {"8", "20", {{PROP::From, "a|b"}}}},
        {{"DropWidth", 0}, {"0", "200"}},
        {{"Up", 0}, {"0", "1"}},
        {{"Down", 0}, {"0", "1"}},
        {{"UpsideDown", 0}, {"0", "1"}},
        {{"Single", 0}, {"0", "1"}},
        {{"Repeat", 0}, {"0", "1"}},
        {{"Flat", 0}, {"0", "1"}},
        {{"WallPaper", 0}, {"", pictures.green, {}, showsColor(kGreen)}},
        {{"Tiled", 0}, {"0", "1", tiled}},
        {{"Centered", 0}, {"0", "1", tiled}},
    };
}

// A picture is a line edit's limit.
Probe pictureProbe() { return {"@s20", "@s2"}; }

// Types on which a row means something else, or needs more to show.
std::map<std::pair<std::string, Long>, Probe> probesByType() {
    const std::vector<std::pair<Long, std::string>> icon = {{PROP::Icon, "~EXCLAMATION"}};
    std::map<std::pair<std::string, Long>, Probe> probes = {{{"Text", C::sstring}, pictureProbe()},
            {{"Text", C::entry}, pictureProbe()},
            {{"Text", C::combo}, pictureProbe()},
            {{"Text", C::dropcombo}, pictureProbe()},
            {{"Text", C::spin}, pictureProbe()},
            {{"Left", C::button}, {"0", "1", {{PROP::Right, "1"}, icon[0]}}},
            {{"Right", C::button}, {"0", "1", icon}},
            {{"SelectedFillColor", C::droplist},
             {"-1", kGreenNumber, {}, [](const Sample& s) {
                  EXPECT_EQ(static_cast<QComboBox*>(s.widget())->view()->palette().color(QPalette::Highlight), kGreen)
                      << "the dropped list's";
              }}},
            {{"FontColor", C::spin},
             {"255", "16711680", {{PROP::ScreenText, "88888"}, {PROP::FontSize, "14"}}, showsColor(Qt::blue)}}};
    // A progress bar's colour is its bar's: it needs some progress.
    for (const char* name : {"Color", "Background", "FillColor"})
        probes[{name, C::progress}] = {"-1", kGreenNumber, {{PROP::Progress, "50"}}, showsColor(kGreen)};
    return probes;
}

// The whole text of a typed control selected, and the control focused.
void selectText(const Sample& s) {
    QWidget* w = s.widget();
    w->activateWindow();
    w->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) combo->lineEdit()->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->selectAll();
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) text->selectAll();
    drive::settle();
}

// The text a control holds after the keys are typed at its start.
std::string typedAtStart(const Sample& s, const std::string& start, const std::string& keys) {
    QWidget* target = s.widget();
    if (auto* combo = qobject_cast<QComboBox*>(target)) target = combo->lineEdit();
    s.window().setProperty(s.control(), PROP::ScreenText, start);
    drive::settle();
    target->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->setCursorPosition(0);
    if (auto* text = qobject_cast<QPlainTextEdit*>(target)) text->moveCursor(QTextCursor::Start);
    QTest::keyClicks(target, QString::fromStdString(keys));
    drive::settle();
    return s.window().property(s.control(), PROP::ScreenText);
}

// A tip over the frame's string: whether it shows, and in which font.
std::pair<bool, QString> tipShown(const Sample& s) {
    static int tips = 0;
    const QString tip = QString("Tip %1").arg(++tips);
    QWidget* string = s.textWidget();
    string->setToolTip(tip);
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), string->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(string, &help);
    return {QToolTip::isVisible() && QToolTip::text() == tip, QToolTip::font().family()};
}

// Rows whose effect is no picture but what the user can do: checked by doing it.
std::map<std::string, Check> behaviours() {
    return {
        {"Type", [](const Sample& s) {
             s.window().setProperty(s.control(), PROP::Type, 99);
             EXPECT_EQ(s.get(PROP::Type), std::to_string(s.type())) << "read only";
         }},
        {"UPR", [](const Sample& s) {
             s.window().setProperty(s.control(), PROP::Upr, 1);
             EXPECT_EQ(typedAtStart(s, "", "ab cd"), "AB CD");
         }},
        {"CAP", [](const Sample& s) {
             s.window().setProperty(s.control(), PROP::Cap, 1);
             EXPECT_EQ(typedAtStart(s, "", "aB cD"), "Ab Cd");
         }},
        {"Ovr", [](const Sample& s) {
             s.window().setProperty(s.control(), PROP::Ovr, 1);
             EXPECT_EQ(typedAtStart(s, "abc", "X"), "Xbc");
         }},
        {"Ins", [](const Sample& s) {
             s.window().setProperty(s.control(), PROP::Ovr, 1);
             s.window().setProperty(s.control(), PROP::Ins, 1);
             EXPECT_EQ(typedAtStart(s, "abc", "X"), "Xabc");
         }},
        {"AlwaysDrop", [](const Sample& s) {
             auto* combo = static_cast<QComboBox*>(s.widget());
             s.window().setProperty(s.control(), PROP::AlwaysDrop, 1);
             combo->activateWindow();
             combo->clearFocus();
             s.window().select(s.control());
             drive::settle();
             EXPECT_TRUE(combo->view()->isVisible()) << "dropped on taking the focus";
             combo->hidePopup();
         }},
        {"TipsFont", [](const Sample& s) {
             s.window().setProperty(0, PROP::TipsFont, "Courier New");
             EXPECT_EQ(tipShown(s).second, mappedFont("Courier New", 8).family());
         }},
        {"NoTips", [](const Sample& s) {
             EXPECT_TRUE(tipShown(s).first);
             s.window().setProperty(0, PROP::NoTips, 1);
             EXPECT_FALSE(tipShown(s).first);
         }},
    };
}

class ShownProperties : public ::testing::Test {
protected:
    Queue<SampleRow> rows;
    CString<40> value{"Sample"};
    Pictures pictures;
};

}  // namespace

TEST_F(ShownProperties, EveryPropertyOfEveryTypeShowsOnScreenOrReadsBack) {
    for (const char* name : {"Sample", "Other"}) {
        rows.rec.NAME = name;
        rows.add();
    }
    auto looks = probes(pictures);
    looks.merge(probesByType());
    auto acts = behaviours();
    // AUTO: what a variable holds shows after the next event, without DISPLAY.
    acts["Auto"] = [this](const Sample& s) {
        s.window().setProperty(0, PROP::Auto, 1);
        value = "Changed";
        s.window().post({EVENT::Accepted, 0, 0});
        drive::settle();
        EXPECT_EQ(static_cast<QLabel*>(s.textWidget())->text(), "Changed");
    };
    for (const ShownProperty& row : shownProperties()) {
        for (Long type : row.shown) {
            SCOPED_TRACE(std::string(row.name) + " on type " + std::to_string(type));
            value = "Sample";
            Sample sample(type, rows, value);
            ASSERT_TRUE(sample.opened());
            if (auto act = acts.find(row.name); act != acts.end()) {
                act->second(sample);
                continue;
            }
            auto probe = looks.find({row.name, type});
            if (probe == looks.end()) probe = looks.find({row.name, 0});
            ASSERT_NE(probe, looks.end()) << "no probe";
            const Probe& p = probe->second;
            // A group shows its text only when boxed.
            if ((type == C::group || type == C::option) && row.number != PROP::Boxed) sample.set(PROP::Boxed, "1");
            for (const auto& [prop, text] : p.setup) sample.set(prop, text);
            sample.set(row.number, p.before);
            if (p.selectText) selectText(sample);
            const Look before = sample.look();
            sample.set(row.number, p.after);
            EXPECT_FALSE(sample.look() == before) << "nothing changed on screen";
            if (p.check) p.check(sample);
            EXPECT_EQ(sample.get(row.number), p.after);
        }
        for (Long type : row.stored) {
            SCOPED_TRACE(std::string(row.name) + " stored on type " + std::to_string(type));
            Sample sample(type, rows, value);
            ASSERT_TRUE(sample.opened());
            sample.set(row.number, "7");
            EXPECT_EQ(sample.get(row.number), "7");
        }
    }
}

TEST(ShownPropertiesTable, EveryCatalogueNumberHasARowAndSharedNumbersMeanOneThingPerType) {
    const std::set<Long> catalogue = {
        0x7C00, 0x7C01, 0x7C06, 0x7C07, 0x7C08, 0x7C09, 0x7C0A, 0x7C0B, 0x7C0C, 0x7C0D, 0x7C10, 0x7C11, 0x7C12,
        0x7C13, 0x0010, 0x0014, 0x7C14, 0x7C15, 0x7C16, 0x7C19, 0x7C1A, 0x7C1B, 0x7C55, 0x7C56, 0x7C57, 0x7C58,
        0x7C59, 0x7C5A, 0x7C5D, 0x7C5E, 0x7C5F, 0x7C7C, 0x7C7B, 0x7C60, 0x7C61, 0x7C62, 0x7C63, 0x7C64, 0x7C65,
        0x7C66, 0x7C67, 0x7C68, 0x7C69, 0x7C6B, 0x7C42, 0x7C6F, 0x7C73, 0x7C74, 0x7C75, 0x7C7A, 0x7C7E, 0x7C7F,
        0x7C81, 0x7C83, 0x7C84, 0x7C85, 0x7C88, 0x7C89, 0x7C8B, 0x7C8E, 0x7C91, 0x7C92, 0x7C93, 0x7CA0, 0x7CAD,
        0x7CAE, 0x7CAF, 0x7CB0, 0x7CB1, 0x7CB7, 0x7CB9, 0x7CE0, 0x7CE2, 0x7CE3, 0x7CE4, 0x7CE5, 0x7CE7, 0x7CE9,
        0x7CFA, 0x7CFB, 0x7CFC, 0x7CFD, 0x7CFE, 0x7CFF, 0x7A00, 0x7A01, 0x7A02, 0x7A06, 0x7A08, 0x7A14, 0x7A15,
        0x7A16, 0x7A17, 0x7A49, 0x7D0C, 0x7D0D};
    std::set<Long> numbers;
    std::map<std::pair<Long, Long>, std::set<std::string>> meanings;  // (type, number): names
    for (const ShownProperty& row : shownProperties()) {
        numbers.insert(row.number);
        for (const auto* types : {&row.shown, &row.stored})
            for (Long type : *types) meanings[{type, row.number}].insert(row.name);
    }
    EXPECT_EQ(numbers, catalogue);
    EXPECT_EQ(shownProperties().size(), 104u);
    // Aliases name one property; Center and Below name two, on different types.
    const std::set<std::set<std::string>> aliases = {
        {"Font", "FontName"}, {"Range", "RangeLow"}, {"Background", "Color", "FillColor"}};
    for (const auto& [pair, names] : meanings) {
        if (names.size() > 1) {
            EXPECT_TRUE(aliases.contains(names)) << pair.first << ": " << *names.begin();
        }
    }
}
