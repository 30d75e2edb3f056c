// An entry's caret and selection as properties, the key behind each
// NewSelection typing raises, and a program completing the text being typed.
#include "RunningWindow.h"

#include "platform/ui/WindowSpec.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec entrySpec(const std::string& title) {
    return {.label = "W", .title = title, .at = {10, 10, 200, 60}, .controls = {
        {.type = CREATE::entry, .label = "?Search", .text = "@s80", .at = {10, 10, 120, 12}},
        {.type = CREATE::button, .label = "?Button", .text = "&Button", .at = {140, 10, 50, 14}},
    }};
}

Long caret(Window& w, Long prop) { return w.numberProperty(w.equate("?Search"), prop); }

}  // namespace

TEST(EntryCaret, EachNewSelectionOfTypingCarriesItsKey) {
    RunningWindow w(entrySpec("keys"));
    w->select(w.number("?Search"));
    drive::settle();
    w.events.clear();
    for (Long key : {KEY::letter('a'), KEY::Shift + KEY::letter('b'), KEY::BackSpace, KEY::Left, KEY::Delete})
        drive::pressKey(*w, key);
    std::vector<Long> keys;
    for (const Event& e : w.taken(EVENT::NewSelection)) keys.push_back(e.keyCode);
    EXPECT_EQ(keys, (std::vector<Long>{KEY::letter('a'), KEY::Shift + KEY::letter('b'), KEY::BackSpace, KEY::Delete}))
        << "Left changes no text";
    EXPECT_EQ(drive::screenText(*w, "?Search"), "");
}

TEST(EntryCaret, SelStartAndSelEndReadAndPlaceTheCaretAndTheSelection) {
    RunningWindow w(entrySpec("caret"));
    const Long search = w.number("?Search");
    w->select(search);
    drive::type(*w, "?Search", "abcdef");
    EXPECT_EQ(caret(*w, PROP::SelStart), 7) << "after the last character";
    EXPECT_EQ(caret(*w, PROP::SelEnd), 6);
    drive::pressKey(*w, KEY::Shift + KEY::Left);
    drive::pressKey(*w, KEY::Shift + KEY::Left);
    EXPECT_EQ(caret(*w, PROP::SelStart), 5);
    EXPECT_EQ(caret(*w, PROP::SelEnd), 6);

    w->setProperty(search, PROP::SelStart, 2);
    w->setProperty(search, PROP::SelEnd, 80);
    EXPECT_EQ(caret(*w, PROP::SelStart), 2);
    EXPECT_EQ(caret(*w, PROP::SelEnd), 6) << "as far as the text goes";
    drive::pressKey(*w, KEY::letter('x'));
    EXPECT_EQ(drive::screenText(*w, "?Search"), "ax") << "the key replaced the selection";
}

TEST(EntryCaret, AProgramCompletesTheTextWhileTheUserTypes) {
    RunningWindow w(entrySpec("complete"), [](Window& win) {
        const Long search = win.equate("?Search");
        if (win.event() != EVENT::NewSelection || win.property(search, PROP::ScreenText) != "m") return;
        const Long typed = win.numberProperty(search, PROP::SelStart);
        win.setProperty(search, PROP::ScreenText, "main");
        win.setProperty(search, PROP::SelStart, typed);
        win.setProperty(search, PROP::SelEnd, 80);
    });
    w->select(w.number("?Search"));
    drive::settle();
    drive::pressKey(*w, KEY::letter('m'));
    EXPECT_EQ(drive::screenText(*w, "?Search"), "main");
    EXPECT_EQ(caret(*w, PROP::SelStart), 2);
    EXPECT_EQ(caret(*w, PROP::SelEnd), 4);
    drive::pressKey(*w, KEY::letter('e'));
    EXPECT_EQ(drive::screenText(*w, "?Search"), "me") << "the completed rest was selected on screen";
}
