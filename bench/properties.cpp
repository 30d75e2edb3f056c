// A restyle writes many properties at once. Prints the time a window of 200
// controls (entries, strings, buttons and check boxes) takes to receive 20
// property writes each (4,000 writes) and be painted, against the same
// widget changes made directly through Qt on the same window, and the ratio
// (target: under 1.5x). Each is the median of many rounds.
#include "Timing.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr int kColumns = 10;
constexpr int kRounds = 25;
const Long kTypes[] = {CREATE::entry, CREATE::string, CREATE::button, CREATE::check};

WindowSpec windowOf200() {
    WindowSpec spec{.label = "W", .title = "Restyled", .at = {0, 0, 640, 440}};
    for (int i = 0; i < 200; ++i) {
        const Rect at{4 + (i % kColumns) * 62, 4 + (i / kColumns) * 21, 58, 16};
        spec.controls.push_back({.type = kTypes[i % 4], .label = "?C" + std::to_string(i + 1), .text = "Sample", .at = at});
    }
    return spec;
}

// One look of a control: the values its 20 writes give it.
struct Look {
    const char* typeface;
    int points;
    Long style;
    Long color, background;
    const char* tip;
    const char* cursor;
    int shift;  // dialog units right and down
    const char* text;
};
const Look kLooks[] = {{"Arial", 9, 700, 0xFF0000, 0x00FFFF, "First tip", "Wait", 0, "Sample"},
                       {"Courier New", 8, 400, 0x0000FF, 0xFFFF00, "Second tip", "Cross", 1, "Other"}};

// 20 writes through the model.
void writeProperties(Window& w, Long control, Long type, const Look& look) {
    const int i = control - 1;
    const Rect at{4 + (i % kColumns) * 62 + look.shift, 4 + (i / kColumns) * 21 + look.shift, 58, 16};
    w.setProperty(control, PROP::FontName, look.typeface);
    w.setProperty(control, PROP::FontSize, look.points);
    w.setProperty(control, PROP::FontStyle, look.style);
    w.setProperty(control, PROP::FontColor, look.color);
    w.setProperty(control, PROP::Color, look.background);
    w.setProperty(control, PROP::Tip, look.tip);
    w.setProperty(control, PROP::Cursor, look.cursor);
    w.setProperty(control, PROP::Xpos, at.x);
    w.setProperty(control, PROP::Ypos, at.y);
    w.setProperty(control, PROP::Width, at.width);
    w.setProperty(control, PROP::Height, at.height);
    w.setProperty(control, PROP::Text, type == CREATE::entry ? std::string("@s20") : look.text);
    w.setProperty(control, PROP::Disable, 1);
    w.setProperty(control, PROP::Disable, 0);
    w.setProperty(control, PROP::Hide, 1);
    w.setProperty(control, PROP::Hide, 0);
    if (type == CREATE::entry || type == CREATE::button || type == CREATE::check) {
        w.setProperty(control, PROP::Msg, look.tip);
        w.setProperty(control, PROP::Skip, look.shift);
    } else {
        w.setProperty(control, PROP::Center, 1 - look.shift);
        w.setProperty(control, PROP::Right, look.shift);
    }
    if (type == CREATE::entry) {
        w.setProperty(control, PROP::SelectedColor, look.background);
        w.setProperty(control, PROP::SelectedFillColor, look.color);
    } else {
        w.setProperty(control, PROP::Trn, look.shift);
        w.setProperty(control, PROP::Angle, 0);
    }
}

void setColors(QWidget* widget, const Look& look, bool fill) {
    QPalette palette;
    const QColor text = colorFromNumber(look.color);
    const QColor back = colorFromNumber(look.background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) palette.setColor(role, back);
    widget->setPalette(palette);
    widget->setAutoFillBackground(fill);
}

// The same 20 changes, made on the widget directly.
void changeWidget(QWidget* widget, const DialogUnits& du, Long control, Long type, const Look& look) {
    const int i = control - 1;
    QFont font = widget->font();
    font.setFamily(mappedFont(look.typeface, 8).family());
    widget->setFont(font);
    font.setPointSize(look.points);
    widget->setFont(font);
    font.setWeight(static_cast<QFont::Weight>(look.style));
    widget->setFont(font);
    setColors(widget, look, true);
    setColors(widget, look, true);
    widget->setToolTip(look.tip);
    widget->setCursor(look.shift ? Qt::CrossCursor : Qt::WaitCursor);
    const QRect at(du.toPixelsX(4 + (i % kColumns) * 62 + look.shift), du.toPixelsY(4 + (i / kColumns) * 21 + look.shift),
                   du.toPixelsX(58), du.toPixelsY(16));
    widget->move(at.topLeft());
    widget->move(at.topLeft());
    widget->resize(at.size());
    widget->resize(at.size());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setMaxLength(20);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(look.text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(look.text);
    widget->setEnabled(false);
    widget->setEnabled(true);
    widget->setVisible(false);
    widget->setVisible(true);
    if (type == CREATE::string) {
        auto* label = static_cast<QLabel*>(widget);
        label->setAlignment(look.shift ? Qt::AlignRight : Qt::AlignHCenter);
        label->setAlignment(look.shift ? Qt::AlignRight : Qt::AlignHCenter);
    } else {
        widget->setStatusTip(look.tip);
        widget->setFocusPolicy(look.shift ? Qt::ClickFocus : Qt::StrongFocus);
    }
    setColors(widget, look, !look.shift);
    setColors(widget, look, !look.shift);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Window* window = nullptr;
    START([&] {
        Window w(windowOf200());
        window = &w;
        w.open();
        while (w.accept()) {
        }
        window = nullptr;
    });
    drive::settle();
    if (!window) return 1;
    const DialogUnits du(window->view()->font());

    // Each phase gives every control the other look; the two ways take both
    // looks equally often (model, Qt, Qt, model, ...).
    std::vector<double> throughModel, direct;
    for (int phase = 0; phase < 4 * kRounds; ++phase) {
        const Look& look = kLooks[phase % 2];
        const bool model = phase % 4 == 0 || phase % 4 == 3;
        const auto start = bench::SteadyClock::now();
        for (Long control = 1; control <= 200; ++control) {
            const Long type = kTypes[(control - 1) % 4];
            if (model)
                writeProperties(*window, control, type, look);
            else
                changeWidget(window->view()->widget(control), du, control, type, look);
        }
        window->redraw();
        (model ? throughModel : direct).push_back(bench::msSince(start));
        drive::settle();
    }
    window->post({EVENT::CloseWindow, 0, 0});
    drive::settle();

    const double model = bench::median(throughModel), qt = bench::median(direct);
    std::printf("4,000 property writes and a paint: %s ms through the window model, %s ms directly through Qt\n",
                bench::shown(model, 2).c_str(), bench::shown(qt, 2).c_str());
    std::printf("ratio %sx (target under 1.5x)\n", bench::shown(model / qt, 2).c_str());
    return 0;
}
