// Driving the program as a user would, for tests and for the screenshot
// command: keys, menus, typing, clicks and message boxes go through Qt to the
// widgets, so they take the same road as real input. Every call runs on the
// scheduler's stack (never inside a fiber) and settles afterwards: Qt events
// are processed and every fiber runs until it waits again.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/Equates.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Window;
}

namespace platform::drive {

void settle();
// The most recently opened window with this title; nullptr when none.
Window* window(std::string_view title);
Window* waitForWindow(std::string_view title, std::chrono::milliseconds timeout = std::chrono::seconds(5));
std::vector<std::string> windowTitles();

// A key as a keyboard gives it; KEY::Alt alone is Alt pressed and released.
void pressKey(Window& window, Long keyCode);
void chooseMenu(Window& window, std::string_view label);
// Moves the menu highlight onto the item, as the pointer does.
void highlightMenu(Window& window, std::string_view label);
// The label of the menu bar's entry shown lit while its menu is closed
// (HiliteMenuItem); "" when none is.
std::string litMenu(Window& window);
// What the application window's status bar shows.
std::string statusText(Window& window);
// Clicks the control in its middle (a check box on its box, and it toggles).
void click(Window& window, std::string_view label);
// The same for a control created at run time, which has no label.
void click(Window& window, Long control);
// Clicks the tab of that label on its sheet.
void chooseTab(Window& window, std::string_view tabLabel);
// Drops the combo's list down and picks the entry with that text.
void chooseFromDropList(Window& window, std::string_view label, std::string_view entry);
// Types the text at the end of the control, one key at a time.
void type(Window& window, std::string_view label, std::string_view text);
// Types the text at the end of the control as AltGr gives it on a European
// keyboard under X11 (Qt's group switch): "€", "@", "{".
void typeWithAltGr(Window& window, std::string_view label, std::string_view text);
// Selects all of the control's text (Ctrl+A) and types the text over it.
void typeOver(Window& window, std::string_view label, std::string_view text);
// Moves the focus away from the control, as tabbing out does.
void leave(Window& window, std::string_view label);
void chooseRow(Window& window, std::string_view label, int row);
// Double-clicks the row: it becomes current, then the list hears the double click.
void doubleClickRow(Window& window, std::string_view label, int row);
// Clicks the mark (check box) of a list row: the row becomes current, then its mark flips.
void toggleMark(Window& window, std::string_view label, int row);
// Clicks the box of a tree list's row (a queue position) that opens its rows
// or collapses them; the row must be shown, have rows under it, and be
// collapsed or open.
void expandRow(Window& window, std::string_view label, int row);
void collapseRow(Window& window, std::string_view label, int row);
// The tip that shows with the pointer resting over a list's cell (row a queue
// position, column 1 the first); "" when none shows.
std::string tipOverCell(Window& window, std::string_view label, int row, int column);
// Chooses an item of the popup menu that is up (POPUP), by its text as given
// to it ("&Annuleer"), through the submenus named before it: the pointer
// rests on each submenu, then clicks the item.
void choosePopup(const std::vector<std::string>& path);
// Escape until no popup menu is up.
void dismissPopups();
void closeBySystemMenu(Window& window);
void closeByCloseBox(Window& window);

// The user's moves and resizes, each a press, moves and a release of the left
// button: on the caption (moves the window), on the bottom right corner of
// the frame (sizes it), in pixels.
void dragCaption(Window& window, int dx, int dy);
void resizeBy(Window& window, int dx, int dy);
void clickMaximizeBox(Window& window);
void doubleClickCaption(Window& window);
// Activates the window as a click on its caption does.
void activate(Window& window);

// The mouse over a control, at (x, y) pixels from its top left corner:
// moving there, pressing, releasing, double clicking a button (KEY::MouseLeft
// or KEY::MouseRight).
void moveMouse(Window& window, std::string_view label, int x, int y);
void pressMouse(Window& window, std::string_view label, int x, int y, Long button = KEY::MouseLeft);
void releaseMouse(Window& window, std::string_view label, int x, int y, Long button = KEY::MouseLeft);
void doubleClick(Window& window, std::string_view label);
void doubleClick(Window& window, Long control);  // one created at run time

// The layer's pointer (PointerCalls.h), in screen pixels: moving it there as
// the mouse does (a move to the window there, if any), and clicking,
// right-clicking (KEY::MouseRight) or double-clicking where it is, through
// the window there (where a window's region leaves it out, the one below):
// under a mouse capture the capturing window takes them.
void movePointer(int x, int y);
void clickPointer(Long button = KEY::MouseLeft);
void doubleClickPointer();
// Chooses the item of the popup menu that is up by the number POPUP gives
// it, through its submenus; 0 dismisses the menu.
void choosePopup(Long number);
// The items of the popup menu that is up in the order of their numbers, an
// item of a submenu after its submenus' titles and "/": "Sub/item".
std::vector<std::string> popupItems();
// Whether the window shows at this pixel of its own (its region; no region: everywhere).
bool shows(Window& window, int x, int y);
// The frame an image shows of its picture, 1 the first (an animated picture
// plays its frames); 0 when it shows none.
int pictureFrame(Window& window, std::string_view label);

// The message box that is up is the layer's own or the style manager's
// styled box ("P44$MSGWIN"), whichever opened last.
// The text of the message box that is up, "|" between its lines (a line
// wrapped into rows read whole); "" if none.
std::string messageText();
// Presses the button of the message box that is up, its caption given with or
// without its "&"; false if there is none.
bool answerMessage(std::string_view buttonCaption);
// The file dialog that is up (FILEDIALOG): the path typed into its name and
// "Open" pressed; true once it has closed on it. Or its "Cancel" pressed.
// False when none is up.
bool answerFileDialog(std::string_view path);
bool cancelFileDialog();

std::string screenText(Window& window, std::string_view label);
std::string property(Window& window, std::string_view label, Long prop);

bool renderPng(Window& window, const std::string& path);

}  // namespace platform::drive
