// The assistant's recorder: which events of a procedure window become rows of
// EVENTQUEUE, and how a row names its event and describes its control.
#include "assistant/AssistantClass.h"

#include "platform/fiber/Clock.h"
#include "platform/ui/Window.h"

#include <map>

using namespace platform;

namespace {

constexpr Long kNoPosition = -32768;
constexpr const char* kUnknownEvent = "Onbekende gebeurtenis";

const std::map<Long, const char*>& eventNames() {
    static const std::map<Long, const char*> names = {
        {EVENT::Accepted, "Accepted"},       {EVENT::NewSelection, "NewSelection"},
        {EVENT::ScrollUp, "ScrollUp"},       {EVENT::ScrollDown, "ScrollDown"},
        {EVENT::PageUp, "PageUp"},           {EVENT::PageDown, "PageDown"},
        {EVENT::ScrollTop, "ScrollTop"},     {EVENT::ScrollBottom, "ScrollBottom"},
        {EVENT::Locate, "Locate"},           {EVENT::MouseUp, "MouseUp"},
        {EVENT::MouseIn, "MouseIn"},         {EVENT::MouseOut, "MouseOut"},
        {EVENT::MouseMove, "MouseMove"},     {EVENT::VBXEvent, "VBXEvent"},
        {EVENT::AlertKey, "AlertKey"},       {EVENT::PreAlertKey, "PreAlertKey"},
        {EVENT::Dragging, "Dragging"},       {EVENT::Drag, "Drag"},
        {EVENT::Drop, "Drop"},               {EVENT::ScrollDrag, "ScrollDrag"},
        {EVENT::TabChanging, "TabChanging"}, {EVENT::Expanding, "Expanding"},
        {EVENT::Contracting, "Contracting"}, {EVENT::Expanded, "Expanded"},
        {EVENT::Contracted, "Contracted"},   {EVENT::Rejected, "Rejected"},
        {EVENT::DroppingDown, "DroppingDown"}, {EVENT::DroppedDown, "DroppedDown"},
        {EVENT::ScrollTrack, "ScrollTrack"}, {EVENT::ColumnResize, "ColumnResize"},
        {EVENT::Selecting, "Selecting"},     {EVENT::Selected, "Selected"},
        {EVENT::CloseWindow, "CloseWindow"}, {EVENT::CloseDown, "CloseDown"},
        {EVENT::OpenWindow, "Open Window:"}, {EVENT::OpenFailed, "OpenFailed"},
        {EVENT::DDErequest, "DDErequest"},   {EVENT::DDEadvise, "DDEadvise"},
        {EVENT::DDEdata, "DDEdata"},         {EVENT::DDEcommand, "DDEcommand"},
        {EVENT::DDEpoke, "DDEpoke"},         {EVENT::DDEclosed, "DDEclosed"},
        {EVENT::Move, "Move"},               {EVENT::Size, "Size"},
        {EVENT::Restore, "Restore"},         {EVENT::Maximize, "Maximize"},
        {EVENT::Iconize, "Iconize"},         {EVENT::Completed, "Completed"},
        {EVENT::Moved, "Moved"},             {EVENT::Sized, "Sized"},
        {EVENT::Restored, "Restored"},       {EVENT::Maximized, "Maximized"},
        {EVENT::Iconized, "Iconized"},       {EVENT::Docked, "Docked"},
        {EVENT::Undocked, "Undocked"},       {EVENT::BuildFile, "BuildFile"},
        {EVENT::BuildKey, "BuildKey"},       {EVENT::BuildDone, "BuildDone"},
    };
    return names;
}

// What a row says of a control of each type: the word after the event's
// name, the property shown after the word, and the property kept as the
// row's VALUE (0: VALUE keeps what it held).
struct TypeDescription {
    const char* word;
    Long shown = 0;
    Long value = 0;
};

const std::map<Long, TypeDescription>& typeDescriptions() {
    static const std::map<Long, TypeDescription> types = {
        {CREATE::entry, {" Entry:", PROP::ScreenText, PROP::ScreenText}},
        {CREATE::text, {" Text:", PROP::ScreenText, PROP::ScreenText}},
        {CREATE::check, {" Check:", PROP::Selected, PROP::ScreenText}},
        {CREATE::option, {" Option:", PROP::Selected, PROP::ScreenText}},
        {CREATE::radio, {" Radio :", PROP::TrueValue, PROP::TrueValue}},
        {CREATE::list, {" List:", PROP::Selected, PROP::Selected}},
        {CREATE::sstring, {" SString"}},   {CREATE::string, {" String"}},     {CREATE::image, {" Image"}},
        {CREATE::region, {" Region"}},     {CREATE::line, {" Line"}},         {CREATE::box, {" Box"}},
        {CREATE::ellipse, {" Ellipse"}},   {CREATE::button, {" Button"}},     {CREATE::prompt, {" Prompt"}},
        {CREATE::group, {" Group"}},       {CREATE::combo, {" Combo"}},       {CREATE::spin, {" Spin"}},
        {CREATE::custom, {" Custom"}},     {CREATE::menu, {" Menu"}},         {CREATE::item, {" Menuitem"}},
        {CREATE::menubar, {" Menubar"}},   {CREATE::application, {" Application"}},
        {CREATE::window, {" Window"}},     {CREATE::report, {" Report"}},     {CREATE::header, {" Header"}},
        {CREATE::footer, {" Footer"}},     {CREATE::break_, {" Break"}},      {CREATE::form, {" Form"}},
        {CREATE::detail, {" Detail"}},     {CREATE::ole, {" OLE"}},           {CREATE::droplist, {" DropList"}},
        {CREATE::dropcombo, {" DropCombo"}}, {CREATE::progress, {" Progress"}}, {CREATE::sheet, {" Sheet"}},
        {CREATE::tab, {" Tab"}},           {CREATE::panel, {" Panel"}},       {CREATE::sublist, {" Sublist"}},
        {CREATE::sublist + 1, {" Sublist"}}, {CREATE::toolbar, {" Toolbar"}},
    };
    return types;
}

// The events whose row keeps where the pointer was, when the left button
// caused them.
bool clickedAt(Long event) {
    return event == EVENT::Accepted || event == EVENT::DroppingDown || event == EVENT::ScrollDown ||
           event == EVENT::ScrollUp || event == EVENT::TabChanging;
}

}  // namespace

Byte AssistantClass::EventName(Long event, CString<254>& target) {
    if (event == EVENT::Timer) return 1;
    const auto named = eventNames().find(event);
    std::string name = named == eventNames().end() ? kUnknownEvent : named->second;
    if (event == EVENT::OpenWindow) name += PROCEDURENAME.str();
    target = name;
    if (event == EVENT::NewSelection || event == EVENT::Move) return 1;
    if (event != EVENT::Moved) return 0;
    // A move that ends where the window's last recorded move ended is one row.
    const EVENTQUEUERecord& last = EVENTQUEUE->rec;
    const Window* window = TARGET();
    const bool again = window && clip(last.PROCEDURENAME.view()) == clip(PROCEDURENAME.view()) &&
                       last.EVENT == EVENT::Moved && window->numberProperty(0, PROP::Xpos) == last.XPOS &&
                       window->numberProperty(0, PROP::Ypos) == last.YPOS;
    return again ? 1 : 0;
}

void AssistantClass::ControlDescription(const Window& window) {
    EVENTQUEUERecord& row = EVENTQUEUE->rec;
    const Long type = window.numberProperty(row.CONTROL, PROP::Type);
    const auto described = typeDescriptions().find(type);
    if (described == typeDescriptions().end()) {
        row.INFO = row.INFO.str() + " Onbekend Controltype " + std::to_string(type);
        return;
    }
    const TypeDescription& d = described->second;
    row.INFO = row.INFO.str() + d.word + (d.shown ? window.property(row.CONTROL, d.shown) : std::string());
    if (d.value) row.VALUE = window.property(row.CONTROL, d.value);
}

void AssistantClass::RecordEvent(const std::string& procedureName, Long windowHandle) {
    const Window* window = TARGET();
    if (!window) return;
    readPointer();
    EVENTQUEUERecord& row = EVENTQUEUE->rec;
    row.EVENTTIME = clockDifference(CLOCK(), EVENTTIME);
    SetProcedure(procedureName, windowHandle);
    TakeWindowPosition(PROCEDUREWINDOWHANDLE);
    const Long event = window->event();
    if (EventName(event, row.INFO) != 0) return;
    row.PROCEDURENAME = procedureName;
    row.EVENT = event;
    row.CONTROL = window->field();
    ControlDescription(*window);
    row.XPOS = row.YPOS = kNoPosition;
    const Long type = window->numberProperty(row.CONTROL, PROP::Type);
    const bool atPointer = (KEYCODE() == KEY::MouseLeft && clickedAt(event)) || type == CREATE::menu ||
                           type == CREATE::item;
    if (atPointer) {
        row.XPOS = MOUSEPOS.X - WINDOWPOSX;
        row.YPOS = MOUSEPOS.Y - WINDOWPOSY;
    }
    if (event == EVENT::Moved) {
        row.XPOS = window->numberProperty(0, PROP::Xpos);
        row.YPOS = window->numberProperty(0, PROP::Ypos);
    }
    EVENTTIME = CLOCK();
    EVENTQUEUE->add();
}
