// The runtime's numbers: events, properties, control types, key codes and
// standard actions. They are stored in settings files, so they never change.
// Numbers the system's documents do not give are chosen here to collide with
// none of theirs.
#pragma once

#include "platform/text/Text.h"

namespace platform {

namespace EVENT {
constexpr Long Accepted = 0x01, NewSelection = 0x02, ScrollUp = 0x03, ScrollDown = 0x04, PageUp = 0x05,
               PageDown = 0x06, ScrollTop = 0x07, ScrollBottom = 0x08, Locate = 0x09, MouseUp = 0x0A,
               MouseIn = 0x0B, MouseOut = 0x0C, MouseMove = 0x0D, VBXEvent = 0x0E, AlertKey = 0x0F,
               PreAlertKey = 0x10, Dragging = 0x11, Drag = 0x12, Drop = 0x13, ScrollDrag = 0x14,
               TabChanging = 0x15, Expanding = 0x16, Contracting = 0x17, Expanded = 0x18, Contracted = 0x19,
               Rejected = 0x1A, DroppingDown = 0x1B, DroppedDown = 0x1C, ScrollTrack = 0x1D,
               ColumnResize = 0x1E, Selecting = 0x1F, Selected = 0x101;
// A press of the mouse on a region that reports the mouse: the runtime gives
// it the number of Accepted.
constexpr Long MouseDown = Accepted;
constexpr Long CloseWindow = 0x201, CloseDown = 0x202, OpenWindow = 0x203, OpenFailed = 0x204,
               LoseFocus = 0x205, GainFocus = 0x206, Suspend = 0x208, Resume = 0x209, Notify = 0x20A,
               Timer = 0x20B, DDErequest = 0x20C, DDEadvise = 0x20D, DDEdata = 0x20E, DDEcommand = 0x20F,
               DDEpoke = 0x210, DDEclosed = 0x211;
constexpr Long Move = 0x220, Size = 0x221, Restore = 0x222, Maximize = 0x223, Iconize = 0x224,
               Completed = 0x225, Moved = 0x230, Sized = 0x231, Restored = 0x232, Maximized = 0x233,
               Iconized = 0x234, Docked = 0x235, Undocked = 0x236, BuildFile = 0x240, BuildKey = 0x241,
               BuildDone = 0x242;
// The restyle engine's own: a size change to take again once no modal window
// is up.
constexpr Long SizedAgain = 0x999;
// Its own too: a window faded out as it was asked to close is still open.
constexpr Long FadedOut = 0x99A;
}  // namespace EVENT

// Control types.
namespace CREATE {
constexpr Long sstring = 1, string = 2, image = 3, region = 4, line = 5, box = 6, ellipse = 7, entry = 8,
               button = 9, prompt = 10, option = 11, check = 12, group = 13, list = 14, combo = 15,
               spin = 16, text = 17, custom = 18, menu = 19, item = 20, radio = 21, menubar = 22,
               application = 24, window = 25, report = 26, header = 27, footer = 28, break_ = 29,
               form = 30, detail = 31, ole = 32, droplist = 33, dropcombo = 34, progress = 35, sheet = 37,
               tab = 38, panel = 39, toolbar = 128, sublist = 270;
}

namespace PROP {
// Numbers of the restylable properties.
constexpr Long Text = 0x7C00, Type = 0x7C01, Center = 0x7C06, CenterOffset = 0x7C07, Left = 0x7C08,
               LeftOffset = 0x7C09, Decimal = 0x7C0A, DecimalOffset = 0x7C0B, Right = 0x7C0C,
               RightOffset = 0x7C0D, Above = 0x7C0A, AboveSize = 0x7C0B, Below = 0x7C06, BelowSize = 0x7C07,
               Font = 0x7C10, FontName = 0x7C10, FontSize = 0x7C11, FontColor = 0x7C12, FontStyle = 0x7C13,
               TipsFont = 0x0010, StatusFont = 0x0014, Range = 0x7C14, RangeLow = 0x7C14,
               RangeHigh = 0x7C15, VCR = 0x7C16, Double = 0x7C19, Resize = 0x7C1A, NoFrame = 0x7C1B,
               First = 0x7C55, Last = 0x7C56, Ins = 0x7C57, Ovr = 0x7C58, Boxed = 0x7C59, Cap = 0x7C5A,
               Cursor = 0x7C5D, Default = 0x7C5E, Disable = 0x7C5F, Required = 0x7C7C, ReadOnly = 0x7C7B,
               Drop = 0x7C60, Fill = 0x7C61, From = 0x7C62, Full = 0x7C63, Gray = 0x7C64, Hide = 0x7C65,
               Hlp = 0x7C66, HScroll = 0x7C67, Icon = 0x7C68, Iconize = 0x7C69, Key = 0x7C6B, Max = 0x7C42,
               Maximize = 0x7C6F, Msg = 0x7C73, NoBar = 0x7C74, NoMerge = 0x7C75, Password = 0x7C7A,
               Round = 0x7C7E, Scroll = 0x7C7F, Skip = 0x7C81, Step = 0x7C83, System = 0x7C84,
               Format = 0x7C85, Trn = 0x7C88, Upr = 0x7C89, VScroll = 0x7C8B, Items = 0x7C8E, Auto = 0x7C91,
               ToolBox = 0x7C92, Palette = 0x7C93, Tip = 0x7CA0, MinWidth = 0x7CAD, MinHeight = 0x7CAE,
               MaxWidth = 0x7CAF, MaxHeight = 0x7CB0, NoTips = 0x7CB1, Spread = 0x7CB7, Size = 0x7CB9,
               BevelStyle = 0x7CE0, Join = 0x7CE2, NoSheet = 0x7CE3, BevelOuter = 0x7CE4,
               BevelInner = 0x7CE5, LineWidth = 0x7CE7, Angle = 0x7CE9, Color = 0x7CFA, Background = 0x7CFA,
               FillColor = 0x7CFA, SelectedColor = 0x7CFB, SelectedFillColor = 0x7CFC, LineHeight = 0x7CFD,
               DropWidth = 0x7CFE, AlwaysDrop = 0x7CFF, Up = 0x7A00, Down = 0x7A01, UpsideDown = 0x7A02,
               Single = 0x7A06, Repeat = 0x7A08, Flat = 0x7A14, WallPaper = 0x7A15, Tiled = 0x7A16,
               Centered = 0x7A17, BrokenTabs = 0x7A49, SnapWidth = 0x7D0C, SnapHeight = 0x7D0D;
// Position and size fill the gap after Type.
constexpr Long Xpos = 0x7C02, Ypos = 0x7C03, Width = 0x7C04, Height = 0x7C05;
// Chosen here, in a range of their own.
constexpr Long Handle = 0x7E00, Imm = 0x7E01, ScreenText = 0x7E02, Pixels = 0x7E03, Timer = 0x7E04,
               Selected = 0x7E05, Std = 0x7E06, Alrt = 0x7E07, Active = 0x7E08, Visible = 0x7E09,
               Label = 0x7E0A, Parent = 0x7E0B, Child = 0x7E0C, ChildIndex = 0x7E0D, NextField = 0x7E0E,
               Edit = 0x7E0F, Modal = 0x7E10, Mdi = 0x7E11, Target = 0x7E12, Progress = 0x7E13,
               SelStart = 0x7E14, SelEnd = 0x7E15, ClientWidth = 0x7E16, ClientHeight = 0x7E17,
               LazyDisplay = 0x7E18, DeferMove = 0x7E19, Docked = 0x7E1A, Wizard = 0x7E1B,
               TrueValue = 0x7E1C, FalseValue = 0x7E1D, IconList = 0x7E1E, InToolBar = 0x7E1F,
               NoWidth = 0x7E20, NoHeight = 0x7E21, Use = 0x7E22, Picture = 0x7E23, Choice = 0x7E24,
               Status = 0x7E25, FontCharSet = 0x7E26;
// A tree list's row (a queue position) whose box the user clicked last, read
// at its Expanded or Contracted.
constexpr Long TreeRow = 0x7E27;
// System-wide properties.
constexpr Long MessageHook = 0x7E80, DragFullWindows = 0x7E81, Buffer = 0x7E82;
}  // namespace PROP

// Indexed properties, of one column of a list or combo (Window::indexedProperty);
// chosen here, in a range of their own.
namespace PROPLIST {
constexpr Long Width = 0x7F00, Exists = 0x7F01;
}

// Key codes: the virtual-key code plus 100h Shift, 200h Ctrl, 400h Alt.
namespace KEY {
constexpr Long Shift = 0x100, Ctrl = 0x200, Alt = 0x400;
constexpr Long BackSpace = 0x08, Tab = 0x09, Enter = 0x0D, Esc = 0x1B, Space = 0x20, Left = 0x25, Up = 0x26, Right = 0x27,
               Down = 0x28, Delete = 0x2E;
constexpr Long F1 = 0x70, F2 = 0x71, F3 = 0x72, F4 = 0x73, F5 = 0x74, F6 = 0x75, F7 = 0x76, F8 = 0x77,
               F9 = 0x78, F10 = 0x79, F11 = 0x7A, F12 = 0x7B;
// The mouse buttons as keys: a press, and a double click (the 2).
constexpr Long MouseLeft = 0x01, MouseRight = 0x02, MouseCenter = 0x04, MouseLeft2 = 0x05, MouseRight2 = 0x06;
constexpr Long letter(char c) { return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c); }
}  // namespace KEY

// Mouse cursors of SETCURSOR; chosen here.
namespace CURSOR {
constexpr Long None = 0, Arrow = 1, Wait = 2, Cross = 3;
}

// Standard actions of menu items and buttons.
namespace STD {
constexpr Long None = 0, Close = 15, Cut = 2, Copy = 3, Paste = 4, TileWindow = 5, CascadeWindow = 6,
               ArrangeIcons = 7, WindowList = 8, HelpIndex = 9, HelpSearch = 10, HelpOnHelp = 11;
}

// The icon a window shows when the program names none; drawn by the layer.
namespace ICON {
inline constexpr std::string_view Application = "~Application.ico";
}

// PROP:Docked: the edge of the application frame a window lies along.
namespace DOCK {
constexpr Long Left = 1, Top = 2, Right = 4, Bottom = 8, Float = 16;
constexpr bool isEdge(Long docked) { return docked == Left || docked == Top || docked == Right || docked == Bottom; }
}  // namespace DOCK

// Window manager results.
namespace Level {
constexpr Byte Benign = 0, User = 1, Program = 2, Fatal = 3, Cancel = 4, Notify = 5;
}

}  // namespace platform
