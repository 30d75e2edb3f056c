// The recorder: the names of events, the description of controls, and the
// rows the events of a procedure window become while recording.
#include "AssistantFixture.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QWidget>

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr Long kNoPosition = -32768;

std::vector<EVENTQUEUERecord> rowsOf(Queue<EVENTQUEUERecord>& queue) {
    std::vector<EVENTQUEUERecord> rows;
    for (std::size_t n = 1; n <= queue.records(); ++n) {
        queue.get(n);
        rows.push_back(queue.rec);
    }
    return rows;
}

struct Assistant : AssistantClass {
    Assistant() { Construct(); }
    ~Assistant() override { Destruct(); }
};

}  // namespace

TEST(EventName, EachEventHasItsTextAndSomeAreNotRecorded) {
    Assistant a;
    a.PROCEDURENAME = "Main";
    const struct {
        Long event;
        const char* text;
        Byte notRecorded = 0;
    } cases[] = {
        {0x01, "Accepted"},      {0x02, "NewSelection", 1}, {0x03, "ScrollUp"},      {0x04, "ScrollDown"},
        {0x05, "PageUp"},        {0x06, "PageDown"},        {0x07, "ScrollTop"},     {0x08, "ScrollBottom"},
        {0x09, "Locate"},        {0x0A, "MouseUp"},         {0x0B, "MouseIn"},       {0x0C, "MouseOut"},
        {0x0D, "MouseMove"},     {0x0E, "VBXEvent"},        {0x0F, "AlertKey"},      {0x10, "PreAlertKey"},
        {0x11, "Dragging"},      {0x12, "Drag"},            {0x13, "Drop"},          {0x14, "ScrollDrag"},
        {0x15, "TabChanging"},   {0x16, "Expanding"},       {0x17, "Contracting"},   {0x18, "Expanded"},
        {0x19, "Contracted"},    {0x1A, "Rejected"},        {0x1B, "DroppingDown"},  {0x1C, "DroppedDown"},
        {0x1D, "ScrollTrack"},   {0x1E, "ColumnResize"},    {0x1F, "Selecting"},     {0x101, "Selected"},
        {0x201, "CloseWindow"},  {0x202, "CloseDown"},      {0x203, "Open Window:Main"}, {0x204, "OpenFailed"},
        {0x20C, "DDErequest"},   {0x20D, "DDEadvise"},      {0x20E, "DDEdata"},      {0x20F, "DDEcommand"},
        {0x210, "DDEpoke"},      {0x211, "DDEclosed"},      {0x220, "Move", 1},      {0x221, "Size"},
        {0x222, "Restore"},      {0x223, "Maximize"},       {0x224, "Iconize"},      {0x225, "Completed"},
        {0x230, "Moved"},        {0x231, "Sized"},          {0x232, "Restored"},     {0x233, "Maximized"},
        {0x234, "Iconized"},     {0x235, "Docked"},         {0x236, "Undocked"},     {0x240, "BuildFile"},
        {0x241, "BuildKey"},     {0x242, "BuildDone"},
        {0x20, "Onbekende gebeurtenis"}, {0x205, "Onbekende gebeurtenis"}, {0xFFF, "Onbekende gebeurtenis"},
    };
    for (const auto& c : cases) {
        CString<254> target{"before"};
        EXPECT_EQ(a.EventName(c.event, target), c.notRecorded) << std::hex << c.event;
        EXPECT_EQ(target.view(), c.text) << std::hex << c.event;
    }
    CString<254> target{"before"};
    EXPECT_EQ(a.EventName(EVENT::Timer, target), 1);
    EXPECT_EQ(target.view(), "before") << "a Timer writes nothing";
}

TEST(ControlDescription, EachTypeAddsItsWordAndSomeTheirStateAndContents) {
    const struct {
        Long type;
        const char* info;
        const char* value;  // "before": VALUE keeps what it held
    } plain[] = {
        {CREATE::sstring, " SString", "before"},   {CREATE::string, " String", "before"},
        {CREATE::image, " Image", "before"},       {CREATE::region, " Region", "before"},
        {CREATE::line, " Line", "before"},         {CREATE::box, " Box", "before"},
        {CREATE::ellipse, " Ellipse", "before"},   {CREATE::button, " Button", "before"},
        {CREATE::prompt, " Prompt", "before"},     {CREATE::group, " Group", "before"},
        {CREATE::combo, " Combo", "before"},       {CREATE::spin, " Spin", "before"},
        {CREATE::custom, " Custom", "before"},     {CREATE::menu, " Menu", "before"},
        {CREATE::item, " Menuitem", "before"},     {CREATE::menubar, " Menubar", "before"},
        {CREATE::report, " Report", "before"},     {CREATE::header, " Header", "before"},
        {CREATE::footer, " Footer", "before"},     {CREATE::break_, " Break", "before"},
        {CREATE::form, " Form", "before"},         {CREATE::detail, " Detail", "before"},
        {CREATE::ole, " OLE", "before"},           {CREATE::droplist, " DropList", "before"},
        {CREATE::dropcombo, " DropCombo", "before"}, {CREATE::progress, " Progress", "before"},
        {CREATE::sheet, " Sheet", "before"},       {CREATE::tab, " Tab", "before"},
        {CREATE::panel, " Panel", "before"},       {270, " Sublist", "before"},
        {271, " Sublist", "before"},               {CREATE::toolbar, " Toolbar", "before"},
        {36, " Onbekend Controltype 36", "before"},
    };
    WindowSpec spec{.label = "W", .title = "Types", .controls = {
        {.type = CREATE::entry, .label = "?Entry"},
        {.type = CREATE::text, .label = "?Text"},
        {.type = CREATE::check, .label = "?Check", .trueValue = "Y", .falseValue = "N"},
        {.type = CREATE::option, .label = "?Option", .children = {
            {.type = CREATE::radio, .label = "?Red", .text = "&Red"},
            {.type = CREATE::radio, .label = "?Blue", .text = "&Blue"}}},
        {.type = CREATE::list, .label = "?List"}}};
    for (const auto& p : plain) spec.controls.push_back({.type = p.type, .label = "?T" + std::to_string(p.type)});
    Window w(spec);
    w.setProperty(w.equate("?Entry"), PROP::ScreenText, "Jansen");
    w.setProperty(w.equate("?Text"), PROP::ScreenText, "regel");
    w.setProperty(w.equate("?Check"), PROP::ScreenText, "Y");
    w.setProperty(w.equate("?Option"), PROP::ScreenText, "Blue");
    w.setProperty(w.equate("?List"), PROP::Selected, 3);

    Assistant a;
    auto describe = [&](Long control) {
        a.EVENTQUEUE->rec.INFO = "Accepted";
        a.EVENTQUEUE->rec.VALUE = "before";
        a.EVENTQUEUE->rec.CONTROL = control;
        a.ControlDescription(w);
        return std::pair{a.EVENTQUEUE->rec.INFO.str(), a.EVENTQUEUE->rec.VALUE.str()};
    };
    const struct {
        const char* label;
        const char* info;
        const char* value;
    } stateful[] = {
        {"?Entry", "Accepted Entry:Jansen", "Jansen"}, {"?Text", "Accepted Text:regel", "regel"},
        {"?Check", "Accepted Check:1", "Y"},           {"?Option", "Accepted Option:2", "Blue"},
        {"?Blue", "Accepted Radio :Blue", "Blue"},     {"?List", "Accepted List:3", "3"},
    };
    for (const auto& s : stateful)
        EXPECT_EQ(describe(w.equate(s.label)), (std::pair<std::string, std::string>{s.info, s.value})) << s.label;
    for (const auto& p : plain)
        EXPECT_EQ(describe(w.equate("?T" + std::to_string(p.type))),
                  (std::pair<std::string, std::string>{std::string("Accepted") + p.info, p.value}))
            << p.type;
    EXPECT_EQ(describe(0).first, "Accepted Window") << "control 0 is the window";
    Window frame({.type = CREATE::application, .label = "F", .title = "Frame"});
    a.EVENTQUEUE->rec.INFO = "Sized";
    a.EVENTQUEUE->rec.CONTROL = 0;
    a.ControlDescription(frame);
    EXPECT_EQ(a.EVENTQUEUE->rec.INFO.view(), "Sized Application");

    w.setProperty(w.equate("?Entry"), PROP::ScreenText, std::string(300, 'x'));
    const auto [info, value] = describe(w.equate("?Entry"));
    EXPECT_EQ(info.size(), 253u) << "INFO is cut to its size";
    EXPECT_EQ(value, std::string(253, 'x'));
}

namespace {

// A probe window whose events are recorded, on the fake clock.
class RecordingTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        Clock::useFake(10'000);
        loadSettings();
        assistant.recorderWorks = true;
    }
    void TearDown() override {
        AssistantFixture::TearDown();
        Clock::useReal();
    }
    Window& startRecording() {
        Window& w = openProbe();
        // On X11 the window system makes the window active some time after it
        // shows, and the focus its first control then gains would be a row.
        Scheduler::instance().pumpUntil([&w] { return w.view()->isActiveWindow(); }, 2s);
        drive::settle();
        assistant.EVENTQUEUE->free();
        assistant.ACTIVATERECORDEVENTS = RECORDER::Requested;
        return w;
    }
    std::vector<EVENTQUEUERecord> rows() { return rowsOf(*assistant.EVENTQUEUE); }
    std::vector<EVENTQUEUERecord> rows(Long event) {
        std::vector<EVENTQUEUERecord> found;
        for (const auto& r : rows())
            if (r.EVENT == event) found.push_back(r);
        return found;
    }
    static void post(Window& w, Long event, Long control = 0) {
        POST(event, control, w.thread());
        drive::settle();
    }
};

}  // namespace

TEST_F(RecordingTest, TheFirstEventWhileRequestedIsRowOneAndAnEntryGivesItsText) {
    Window& w = startRecording();
    Clock::advance(2s);
    drive::type(w, "?Name", "abc");
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, RECORDER::Recording);
    drive::leave(w, "?Name");
    const auto all = rows();
    ASSERT_FALSE(all.empty());
    const EVENTQUEUERecord& first = all.front();
    EXPECT_EQ(first.PROCEDURENAME.view(), "Probe");
    EXPECT_EQ(first.EVENT, EVENT::Accepted) << "the typing's NewSelection is no row";
    EXPECT_EQ(first.CONTROL, w.equate("?Name"));
    EXPECT_EQ(first.INFO.view(), "Accepted Entry:abc");
    EXPECT_EQ(first.VALUE.view(), "abc");
    EXPECT_EQ(first.XPOS, kNoPosition) << "left by the keyboard";
    EXPECT_EQ(first.YPOS, kNoPosition);
    EXPECT_EQ(first.EVENTTIME, 0) << "the recorder's clock starts at the first event";
}

TEST_F(RecordingTest, AClickKeepsWherePointerWasInTheWindowAndTheKeyboardNothing) {
    Window& w = startRecording();
    drive::click(w, "?OkButton");
    w.select(w.equate("?OkButton"));
    drive::pressKey(w, KEY::Space);
    const auto accepted = rows(EVENT::Accepted);
    ASSERT_EQ(accepted.size(), 2u);
    const QWidget* button = w.view()->widget(w.equate("?OkButton"));
    const QPoint centre = button->mapToGlobal(button->rect().center());
    RECT corner;
    ASSERT_TRUE(GetWindowRect(w.handle(), corner));
    EXPECT_EQ(accepted[0].XPOS, centre.x() - corner.left);
    EXPECT_EQ(accepted[0].YPOS, centre.y() - corner.top);
    EXPECT_GT(accepted[0].XPOS, 190) << "from the window's corner, frame included";
    EXPECT_EQ(accepted[0].INFO.view(), "Accepted Button");
    EXPECT_EQ(accepted[1].XPOS, kNoPosition);
    EXPECT_EQ(accepted[1].YPOS, kNoPosition);
}

TEST_F(RecordingTest, ADragIsOneMovedRowInWindowUnitsAndTheSamePlaceAgainNone) {
    Window& w = startRecording();
    const Long x = w.numberProperty(0, PROP::Xpos), y = w.numberProperty(0, PROP::Ypos);
    drive::dragCaption(w, 20, 10);
    post(w, EVENT::Moved);
    const auto moved = rows(EVENT::Moved);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].CONTROL, 0);
    EXPECT_EQ(moved[0].XPOS, w.numberProperty(0, PROP::Xpos));
    EXPECT_EQ(moved[0].YPOS, w.numberProperty(0, PROP::Ypos));
    EXPECT_GT(moved[0].XPOS, x);
    EXPECT_GT(moved[0].YPOS, y);
    EXPECT_EQ(moved[0].INFO.view(), "Moved Window");
    EXPECT_TRUE(rows(EVENT::Move).empty()) << "the moves on the way are no rows";
}

TEST_F(RecordingTest, TheTimeBetweenRowsCountsTheSkippedEventsAndThoseAreNoRows) {
    Window& w = startRecording();
    drive::click(w, "?OkButton");
    Clock::advance(1s);
    post(w, EVENT::Timer);
    post(w, EVENT::NewSelection, w.equate("?Name"));
    Clock::advance(500ms);
    post(w, EVENT::LoseFocus);
    post(w, EVENT::GainFocus);
    post(w, EVENT_ReplayRecorded, 7);  // a replay nobody waits for any more
    drive::click(w, "?OkButton");
    const auto all = rows();
    ASSERT_EQ(all.size(), 3u) << "the focus coming to the button, and two clicks";
    EXPECT_EQ(all[0].EVENT, EVENT::Selected);
    EXPECT_EQ(all[2].EVENT, EVENT::Accepted);
    EXPECT_EQ(all[2].EVENTTIME, 150);
}

TEST_F(RecordingTest, ARecordingOverMidnightKeepsItsTime) {
    Clock::useFake(8'640'000 - 50);
    Window& w = startRecording();
    drive::click(w, "?OkButton");
    Clock::advance(1s);
    drive::click(w, "?OkButton");
    ASSERT_EQ(rows(EVENT::Accepted).size(), 2u);
    EXPECT_EQ(rows(EVENT::Accepted)[1].EVENTTIME, 100);
}

TEST_F(RecordingTest, TheTrainModeKeyEndsTheRecordingAndClosesTheRecordingWindow) {
    Window& w = startRecording();
    assistant.INITIALIZED = 1;
    assistant.PROCEDURENAME = "Probe";
    assistant.EVENTWINDOWTHREAD = START([this] { assistant.WatchEvents(); });
    ASSERT_NE(drive::waitForWindow("Gebeurtenis(sen) opnemen"), nullptr);
    // The focus back on the probe first, whenever the window system gives it.
    drive::activate(w);
    Scheduler::instance().pumpUntil([] { return false; }, 300ms);
    assistant.EVENTQUEUE->free();
    trace.calls.clear();
    drive::pressKey(w, KEY::Shift + KEY::F10);
    EXPECT_TRUE(rows().empty()) << "the key is no row";
    drive::settle();
    EXPECT_EQ(drive::window("Gebeurtenis(sen) opnemen"), nullptr);
    EXPECT_EQ(assistant.EVENTWINDOWTHREAD, 0);
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, RECORDER::Off) << "the probe's next event took the finished state";
    EXPECT_EQ(trace.only({"Train"}), Calls{"Train Probe"}) << "and opened the training window";
    assistant.INITIALIZED = 0;  // no agent window to end
}
