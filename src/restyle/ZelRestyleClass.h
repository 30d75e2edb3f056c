// The per-window restyle object. Every window procedure creates one, calls
// Init before its window opens (1 = the procedure must not run), registers
// its controls or menu settings after opening, hands the window over with
// Open and passes every event to TakeEvent (non-zero = consumed).
//
// Restyle applies the stored settings to the window and each control: for
// the control's type under "~Global settings", then in this procedure, then
// for the control itself, every condition set that holds, sets in name
// order, so later and more specific values win. Only the properties the
// property file offers for the control's type are applied, and only to
// registered controls. GetProperty reads one value from the
// "-Unconditional-" sets, the most specific scope first; a disabled value
// passes on to the next scope.
//
// A pass starts from what the window opened with: "Control position and
// size" (-16) acts on the pass's copy of a control's opening geometry, never
// on where the control is now, so passes do not add up. Removing the styling
// (-15) puts back the registered properties a pass wrote, as they were
// registered, the fonts and list columns a pass scaled as they opened; the
// program's own changes stay. A stored expression that fails to evaluate leaves its
// property alone. A size change under a modal window is taken once that
// window has closed.
//
// The window's looks: it fades in as Open ends and out on CloseWindow, its
// fade waiting for the clock without taking the window's events (they come
// afterwards, in order); a window whose close is then refused shows again.
// The title bar of controls is built once while styling is on and goes with
// the styling, caption and icon coming back. The background images, the
// title bar's height included, take their room on the first pass: the
// controls move by it and the window grows by it, once; removing the
// styling takes it back. Images beyond the rows of a reload go.
//
// Resizing: each pass fits the controls to the window's size from their
// opening geometry, scaled by RATIO ("Dynamic sizing of window"; a maximized
// window on its first pass in any case) and moved by the room and, with
// "Center controls automatic", into the middle, by each control's "Resize
// strategy"; fonts and list columns follow. The room is kept at scale 1, so
// dragging back to the opening size gives the opening layout exactly. With
// "Check window position" an MDI child overhanging its frame's MDI area, or
// any other window the desktop, is brought back (WindowResizing.cpp).
//
// The tree menu (MenuTree.cpp): the frame registers its menus and items with
// AddMenuSetting; StartMenuTree reads the "Custom menu look" style text,
// builds the structure from the frame's menu, hiding what moves to the tree,
// and starts the tree's thread; RefreshMenuTree gives the running tree its
// icon and style tables. Its window is not built yet, nor is UpdateMenuTree,
// so no restyle starts it. The configure-directly picker runs on a thread of
// its own: TakeEvent only tells it what happens.
//
// Its operations, by file: binding, registration, settings, passes, events
// and condition sets in ZelRestyleClass.cpp; the geometry step,
// ResizeControls and CheckWindowPosition in WindowResizing.cpp; the window's looks (FadeWindow,
// CreateTitleBar, ShowImages, MarkSelectedControl, SetWindowRegion, the
// title bar's and marker's places, the room the images take, the rounded
// corners) in WindowAppearance.cpp; the tree menu in MenuTree.cpp.
//
// The object lives on its window's thread; the style manager keeps it in
// its list from Open until Kill (or its destruction, when a thread ended at
// shut-down never ran Destruct).
#pragma once

#include "restyle/ConditionLanguage.h"
#include "restyle/ControlList.h"
#include "restyle/MenuTreeQueues.h"
#include "restyle/PropertyCatalogue.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleBaseClass.h"
#include "platform/ui/Region.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Window;
}
class RestyleManager;

// The geometry and font of a control as the window opened with it, in
// dialog units.
#define RESIZEQUEUE_FIELDS(X)              \
    X(platform::Long, CONTROLEQUATE)       \
    X(platform::Short, XPOS)               \
    X(platform::Short, YPOS)               \
    X(platform::Short, WIDTH)              \
    X(platform::Short, HEIGHT)             \
    X(platform::String<40>, FONTNAME)      \
    X(platform::Byte, FONTSIZE)
struct RESIZEQUEUERecord {
    TABLOOM_RECORD(RESIZEQUEUERecord, "", RESIZEQUEUE_FIELDS)
};

// An image created on top of a control ("Image on control").
#define IMAGEBUTTONQUEUE_FIELDS(X)     \
    X(platform::Long, CONTROLEQUATE)   \
    X(platform::Long, IMAGEEQUATE)
struct IMAGEBUTTONQUEUERecord {
    TABLOOM_RECORD(IMAGEBUTTONQUEUERecord, "", IMAGEBUTTONQUEUE_FIELDS)
};

// A background image created on the window, in the order of IMAGEQUEUE.
#define IMAGEEQUATEQUEUE_FIELDS(X)    \
    X(platform::Long, IMAGEEQUATE)    \
    X(platform::Byte, FIXED)
struct IMAGEEQUATEQUEUERecord {
    TABLOOM_RECORD(IMAGEEQUATEQUEUERecord, "", IMAGEEQUATEQUEUE_FIELDS)
};

// The window's image settings, stored under "~" + profile + ":Images".
#define IMAGEPROPERTYGROUP_FIELDS(X)         \
    X(platform::Byte, CHANGEIMAGESETTINGS)   \
    X(platform::Byte, DONOTUSEIMAGES)        \
    X(platform::Byte, NUMBEROFIMAGES)
struct IMAGEPROPERTYGROUPRecord {
    TABLOOM_RECORD(IMAGEPROPERTYGROUPRecord, "", IMAGEPROPERTYGROUP_FIELDS)
};

// What the configure-directly picker shares with the window it runs on.
struct ConfigureDirectlyState {
    platform::Byte THREAD = 0;  // the picker's thread; 0 while none runs
    platform::Short XPOS = 0;
    platform::Short YPOS = 0;
    platform::Long ACTIVECONTROLEQUATE = 0;
    platform::UShort RESTORETIMER = 0;
    platform::Byte WINDOWIMM = 0;
    platform::CString<255> WINDOWTEXT;
};

class ZelRestyleClass : public ZelRestyleBaseClass {
public:
    ZelRestyleClass();
    ~ZelRestyleClass() override;

    virtual void Construct() {}
    virtual void Destruct() { Kill(); }
    // Binds the object to the style manager's files and settings; 1 when
    // "Limit procedure start" refuses another window of this procedure (the
    // open one is brought to the front).
    virtual platform::Byte Init(const std::string& procedureName, RestyleManager& styleManager);
    // Registers a control (0: the window) with its properties as they are
    // now; a control registered before keeps its first registration.
    virtual void AddControl(const std::string& description, const std::string& label, platform::Long control);
    virtual void AddMenuSetting(platform::Long control, platform::Byte setting);
    // The control and everything below it never enter the tree.
    virtual void AddExcludeMenuItem(platform::Long control);
    virtual void Open(platform::Window& window, platform::Byte selection);
    virtual void Kill();
    // 5 when the event was the configure-directly picker's; else 0.
    virtual platform::Byte TakeEvent();
    // CONDITIONQUEUE := the set's conditions in CONDITIONALID order (VALUE
    // cut to the queue's 128 characters; CONDITION and PROPERTY empty).
    virtual void LoadConditions(platform::Long setId);
    // 1 with the value in the style manager's CONTROLPROPERTYGROUP: for the
    // control (0 the window), then for `controlType` (the control's own with
    // `lookUpType` 1) in this procedure and under "~Global settings".
    virtual platform::Byte GetProperty(platform::Long control, platform::Long property, platform::Long controlType,
                                       platform::Byte lookUpType);
    // The window's switches and its image list.
    virtual void LoadWindowSettings();
    // 0 when "No property styling for this controltype" is on for the control.
    virtual platform::Byte AllowStyling(platform::Long control);
    // A pass over the window; with `reload` 1 and `fromResize` 0 the window's
    // switches are read again first.
    virtual void Restyle(platform::Byte reload, platform::Byte fromResize);
    // Places, sizes and re-fonts the control from the pass's geometry of it,
    // by its "Resize strategy"; scales a list's or combo's columns.
    virtual void ResizeControls(platform::Long control, const RESIZEQUEUERecord& geometry, platform::Short xOffset,
                                platform::Short yOffset);
    // Brings a window that overhangs its frame's MDI area (an MDI child) or
    // the desktop (any other) back into view, keeping its size.
    virtual void CheckWindowPosition();
    // Fades in (1) or out (0): by opacity when the window system shows it and
    // the window is no MDI child, unless `method` 1 (or the stored method)
    // asks for the region method: a square growing from the middle, or
    // shrinking to it, the window painted in it. Percentages (pixels for the
    // square) run from 1 or 100 (the default start) to 100 or 1 (the default
    // end), a step a tick (1/100 s), 5 s at most.
    virtual void FadeWindow(platform::Window& window, platform::Byte fadeIn, platform::Byte method,
                            platform::Byte startDefault, platform::Byte startPercent, platform::Byte endDefault,
                            platform::Byte endPercent);
    // The title bar of controls in place of the caption, once.
    virtual void CreateTitleBar();
    // Creates, places or removes the background images.
    virtual void ShowImages();
    // Creates the marker of the selected control and parks it.
    virtual void MarkSelectedControl();
    // The window's region: its frame and its visible controls (rounded with
    // `roundControls`), in the window's own pixels.
    virtual void SetWindowRegion(platform::Byte roundControls);
    virtual void UpdateMenuTree() {}
    // Reads the style text, builds the structure from the frame's menu and,
    // when it holds anything and no tree window is up, starts the tree's
    // thread (MenuTreeThreadStart).
    virtual void StartMenuTree(const std::string& styleText);
    // Adds the menu control and, depth first, what lies below it.
    virtual void BuildMenuStructure(platform::Long control, platform::Byte level);
    // The icon and style tables anew from the frame's menu, while a tree runs.
    virtual void RefreshMenuTree();
    // Opens (expand 1), closes (0) or flips (toggle 1) the node; a node
    // disabled on the frame closes. The low byte of its new level; 0 when no
    // tree runs or the control is not in it.
    virtual platform::Byte SetMenuTreeItemState(platform::Long control, platform::Byte expand, platform::Byte toggle);
    // The classic tree window, on the tree's thread (not built yet).
    virtual void InternalMenuTreeWindow(const std::string& styleText) {}
    // The configure-directly picker: ConfigureDirectly starts it on the
    // window's thread, ConfigureDirectlyWindow is its thread's loop and
    // StopConfigureDirectly ends it (again: nothing more).
    virtual void ConfigureDirectly();
    virtual void ConfigureDirectlyWindow();
    virtual void StopConfigureDirectly();

    // The window's owner laid the window out anew after a pass (the message
    // box does, measured in the fonts the pass gave): where each control lies
    // now, and the window's size, are their opening geometry from now on, so
    // later passes keep them. The controls move by the room the first pass
    // took and by their stored "Control position and size", as in a pass, and
    // the window grows by that room; the images, the title bar and the
    // rounded corners follow the new size.
    void relaidOut();

    // Whether a set of CONDITIONSETQUEUE applies to control `control` of
    // `window`: "-Unconditional-" always, without reading its conditions;
    // another set when its conditions hold for the control.
    restyle::ConditionDecision decideConditionSet(std::string_view setName, platform::Long setId,
                                                  const platform::Window& window, platform::Long control);

    platform::Short CAPTIONHEIGHT = 0;  // the custom title bar's height, 0 without one
    platform::Long CAPTIONREGIONCONTROL = 0;  // the title bar's controls, 0 without one
    platform::Long CAPTIONTEXTCONTROL = 0;
    platform::Long CLOSEBUTTONCONTROL = 0;
    platform::Long WINDOWICONCONTROL = 0;
    const PropertyCatalogue* CLARIONCONTROLPROPERTIESQUEUE = nullptr;  // the style manager's
    ConfigureDirectlyState CONFIGUREDIRECTLYONWINDOW;
    ControlList CONTROLPROPERTIESQUEUE;  // the registered controls, in order of control type
    platform::Byte CONTROLSELECTION = 0;
    platform::Byte DONOTRESTYLETHISPROCEDURE = 0;  // set while the style manager pauses this window
    platform::Queue<IMAGEBUTTONQUEUERecord> IMAGEBUTTONQUEUE;
    platform::Byte EXPANDMENUTREEAUTOMATICALLY = 0;
    platform::Short FRAMEDX = 0;
    platform::Short FRAMEDY = 0;
    platform::Queue<IMAGEQUEUERecord> IMAGEQUEUE;  // the window's background images
    platform::Queue<IMAGEEQUATEQUEUERecord> IMAGEEQUATEQUEUE;  // the images created for them
    IMAGEPROPERTYGROUPRecord IMAGEPROPERTYGROUP;
    // The tree menu: what the frame registered and excluded, the tree, its
    // icons and styles, and what the style text set.
    platform::Queue<CONFIGUREMENUSTRUCTUREQUEUERecord> CONFIGUREMENUSTRUCTUREQUEUE;
    platform::Queue<EXCLUDEMENUITEMQUEUERecord> EXCLUDEMENUITEMQUEUE;
    platform::Queue<MENUSTRUCTUREQUEUERecord> MENUSTRUCTUREQUEUE;
    platform::Queue<MENUSTRUCTUREICONQUEUERecord> MENUSTRUCTUREICONQUEUE;
    platform::Queue<MENUSTRUCTUREFONTQUEUERecord> MENUSTRUCTUREFONTQUEUE;
    platform::Byte MENUBUILD = 0;       // 1 once StartMenuTree built the structure
    platform::Byte MENUTREEACTIVE = 0;  // 1 while a tree window is open
    platform::String<100> MENUTREEDEFAULTICON;
    platform::String<40> MENUTREEFONT;
    platform::Byte MENUTREEITEMHEIGHT = 8;  // the rows' font size; a row is 2 higher
    platform::Long MENUTREEITEMCOLOR = static_cast<platform::Long>(0x80000012);
    platform::Long MENUTREEITEMBACKGROUNDCOLOR = -1;
    platform::Long MENUTREEITEMSELECTEDCOLOR = static_cast<platform::Long>(0x8000000E);
    platform::Long MENUTREEITEMSELECTEDBACKGROUND = static_cast<platform::Long>(0x80000002);
    platform::Byte MENUTREELASTSTARTEDMENUITEMS = 0;  // 1: the list of last started items is hidden
    platform::Long MENUTREELIST = 0;                  // the classic window's tree list
    platform::Byte MENUTREETHREAD = 0;                // the running tree menu's thread
    platform::Window* MENUTREEWINDOW = nullptr;
    platform::Short TOOLBARHEIGHT = 0;  // the frame's toolbar, as the structure was built
    platform::Long MARKSELECTEDCONTROLEQUATE = 0;  // the marker control, 0 without one
    platform::Short OLDWINDOWWIDTH = 0;            // the window's size after the last pass
    platform::Short OLDWINDOWHEIGHT = 0;
    platform::Short ORGINALHEIGHT = 0;  // the window's size at Open (restored, when it was maximized)
    platform::Short ORGINALWIDTH = 0;
    platform::Real PREVIOUSRATIO = 0;  // the RATIO of the last pass that ran the geometry step
    platform::Real RATIO = 0;          // the scale of the pass
    platform::Long PROCEDUREHANDLE = 0;
    platform::Byte PROCEDURETHREAD = 0;
    platform::Window* PROCEDUREWINDOW = nullptr;
    platform::Queue<RESIZEQUEUERecord> RESIZEQUEUE;  // every control's opening geometry, by number
    platform::Short SHIFTXPOS = 0;  // room the images and the title bar take, at the pass's scale
    platform::Short SHIFTYPOS = 0;
    RestyleManager* STYLEMANAGER = nullptr;  // the style manager (RestyleManager.h)
    // The window's switches (STYLEPROPERTIES).
    platform::Byte CUSTOMTITLEBAR = 0;
    platform::Byte ENABLEMENUTREE = 0;
    platform::Byte DISABLERESTYLE = 0;
    platform::Byte MARKSELECTEDCONTROLACTIVE = 0;
    platform::Byte MARKSELECTEDCONTROLCONFIGURATION = 0;
    platform::Byte MARKSELECTEDCONTROLSYMBOL = 0;
    platform::Long MARKSELECTEDCONTROLCOLOR = 0;
    platform::Byte RESIZEWINDOW = 0;
    platform::Byte CENTERCONTROLS = 0;
    platform::Byte AUTOMAXIMIZE = 0;
    platform::Byte WINDOWCHECKPOSITION = 0;
    platform::Short WINDOWROUNDNESS = 0;
    platform::Byte WINDOWSAVEPOSITION = 0;
    platform::Byte WINDOWRESTYLED = 0;  // 1 after a pass with styling on

private:
    friend class ControlPicker;
    // A registered control's standard action and disabled state before
    // picking, kept apart from its registration.
    struct Suspended {
        platform::Long control = 0;
        platform::Long type = 0;
        std::string std, disable;
    };
    void suspendControls();
    void resumeControls();
    // The picked control edited, the message box the program had back, the
    // window restyled and picking again, unless the window is closing meanwhile.
    void editPicked(platform::Long control, platform::Byte messageBox);
    void waitForPicker();

    // The tree menu (MenuTree.cpp).
    void readMenuTreeStyle(std::string_view styleText);
    // The menus and items on the frame's bar, not excluded, by their place.
    std::vector<platform::Long> menuBarControls();
    bool excludedFromMenuTree(platform::Long control);
    // Whether the control, as registered, goes into the tree; it records
    // the control's first visibility and hides what leaves the frame.
    bool entersMenuTree(platform::Long control);
    void addMenuTreeNode(platform::Long control, platform::Byte level);
    void resetMenuTreeIcons();
    void refreshMenuTreeNode();
    platform::Short menuTreeIcon(platform::Long control);
    platform::Short menuTreeStyle(platform::Long control);

    // What a pass reads of the files, each read once: nothing writes them
    // while it runs, and its reads share one transaction of each file.
    struct PassReads;
    // The files read once while it lives (the outermost one of a pass).
    class Reading {
    public:
        explicit Reading(ZelRestyleClass& object);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

    private:
        ZelRestyleClass& object_;
        bool outermost_;
    };

    bool stylingOff() const { return DISABLERESTYLE != 0 || DONOTRESTYLETHISPROCEDURE != 0; }
    // The control's label as registered; nullptr for a control not registered.
    const std::string* registered(platform::Long control) const;
    // The group's sets in name order.
    const platform::Queue<CONDITIONSETQUEUERecord>& setsOf(platform::Byte global, const std::string& group);
    const platform::Queue<CONDITIONQUEUERecord>& conditionsOf(platform::Long setId);
    // A stored setting as a pass reads it: its value clipped.
    struct Setting {
        platform::Byte enabled = 0;
        std::string value;
        platform::Byte clarionValue = 0;
    };
    // The set's stored rows: by property, the value of each parameter.
    using SetRows = std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>>;
    const SetRows& rowsOf(platform::Long setId);
    // The setting the set stores for the property; nullptr when it stores none.
    const Setting* settingOf(platform::Long setId, platform::Long property);
    // The properties the property file offers for the control type.
    const std::vector<platform::Long>& offeredFor(platform::Long controlType);
    // The property's present value, as the pass has it for the control.
    std::string valueOf(const platform::Window& window, platform::Long control, platform::Long property) const;
    // A value of the window (control 0) as a number, 0 when none is stored.
    platform::Long windowSetting(platform::Long property);
    bool fading();
    bool limitRefuses(std::string_view procedureName);
    platform::Byte propertyIn(platform::Byte global, const std::string& group, platform::Long property);
    void loadImages();
    // The control's geometry as it is now, its opening one from now on.
    void recordGeometry(platform::Long control);
    // The controls a pass walks, in field order: on the window, of a type
    // restyling knows, with an opening geometry.
    bool walked(platform::Long control) const;
    const RESIZEQUEUERecord* openingGeometry(platform::Long control) const;
    void restyleControls();
    void RestyleControl(platform::Long control, RESIZEQUEUERecord* geometry);
    // Every set that holds for the control, in name order.
    void ApplyConditionSets(const platform::Queue<CONDITIONSETQUEUERecord>& sets, platform::Long control,
                            RESIZEQUEUERecord* geometry);
    void ApplySetProperties(platform::Long setId, platform::Long control, RESIZEQUEUERecord* geometry);
    void applyValue(platform::Long control, platform::Long property, const Setting& setting);
    void applyEngineValue(platform::Long property, std::string_view value, RESIZEQUEUERecord* geometry);
    void applyPosition(platform::Long control, RESIZEQUEUERecord& geometry, std::string_view value);
    void applyImageOnControl(std::string_view value);
    // A value for the control being restyled; written, when it changes
    // anything, once the control's sets are all applied.
    void write(platform::Long property, std::string_view value);
    void writePending();
    // Writes the property only when it differs: an image is not shown anew.
    void change(platform::Long control, platform::Long property, std::string_view value);
    // Sets what differs: a size the control has already stays natural.
    void place(platform::Long control, platform::Long x, platform::Long y, platform::Long width, platform::Long height);
    void followImages();
    void removeStyling();
    // The geometry step: RATIO, the room at the pass's scale and the
    // centring offsets; on the first pass the window grows by its room.
    struct Offsets {
        platform::Short x = 0, y = 0;
    };
    Offsets fitToSize();
    // Half the room the controls leave, with "Center controls automatic".
    Offsets centringOffsets(platform::Real width, platform::Real height, platform::Real usedWidth,
                            platform::Real usedHeight) const;
    // The room at the pass's scale, the title bar's height unscaled.
    void scaleRoom();
    void placeByStrategy(platform::Long control, const RESIZEQUEUERecord& geometry, platform::Long strategy,
                         Offsets offsets);
    void scaleFont(platform::Long control, const RESIZEQUEUERecord& geometry, bool keepFont);
    void scaleColumns(platform::Long control);
    // The fonts and columns the scaling wrote, as the window opened with them.
    void unscaleFontsAndColumns();
    void keepInFrame(platform::Window& frame);
    void keepOnDesktop();
    // While the picker runs, the window's events are told to it.
    platform::Byte takePickerEvent(platform::Long event);
    void takeAlertKey();
    void takeSized();
    void placeTitleBar();
    // The title bar's caption in the colour of an active or inactive window.
    void showTitleBarActive(bool active);
    void placeMarker(platform::Long control);
    // The largest room of any one image, at scale 1.
    void measureRoom();
    // The window's first pass: it grows by its room, once.
    void takeRoom();
    void giveRoomBack();
    void removeTitleBar();
    void roundCorners();
    void destroyImages(std::size_t from);
    void destroyMarker();
    // Takes the window's icon, if it has one.
    std::string titleBarIcon();
    void fadeLayered(platform::Window& window, bool in, int start, int end, int step);
    void fadeByRegion(platform::Window& window, bool in, int step);
    void keepRegionBeforeFadeOut(platform::Window& window);
    void giveRegionBack(platform::Window& window);
    // A window faded out whose close was refused shows again.
    void showAfterFadeOut();

    std::map<platform::Long, std::string> labels_;  // of the registered controls
    std::unique_ptr<PassReads> reads_;
    platform::Long pendingControl_ = 0;
    std::map<platform::Long, std::string> pending_;
    // The properties of the registration each control had written by a
    // pass, so that removing the styling puts back those and no others.
    std::map<platform::Long, std::set<platform::Long>> restyled_;
    // The "Control position and size" values the last pass applied to each
    // control, in order, so that a new opening geometry can be placed alike.
    std::map<platform::Long, std::vector<std::string>> positions_;
    // The typeface and size the control's sets wrote in this pass, if any.
    struct PassFont {
        std::optional<std::string> typeface;
        std::optional<platform::Long> size;
    };
    PassFont passFont_;
    struct Font {
        std::string typeface;
        platform::Long size = 0;
    };
    std::map<platform::Long, Font> openingFonts_;  // what each control showed at Open
    // What the scaling wrote: the font of a control, and of a column the
    // width unrounded beside the one written, so that it scales from there
    // while nobody changed it.
    std::map<platform::Long, Font> scaledFonts_;
    struct ScaledColumn {
        platform::Real width = 0;
        platform::Long written = 0;
    };
    std::map<std::pair<platform::Long, platform::Long>, ScaledColumn> scaledColumns_;  // by (control, column)
    platform::Real roomX_ = 0;  // the images' room at scale 1
    platform::Real roomY_ = 0;
    bool sizedAgainPending_ = false;  // a size change waits for a modal window to close
    platform::Short grownX_ = 0;        // what the first pass added to the window's size
    platform::Short grownY_ = 0;
    std::string windowIcon_;            // the icon the title bar took from the window
    // The region the window had before it faded out; fadedOut_ while faded.
    std::optional<platform::Region> regionBeforeFade_;
    bool fadedOut_ = false;
    // The same for the other windows faded through this object, by handle.
    std::map<platform::Long, std::optional<platform::Region>> regionsBeforeFadeOfOthers_;
    bool rounded_ = false;  // the styling gave the window its region
    std::vector<Suspended> suspended_;
    std::vector<platform::Long> pickerAlerts_;  // the mouse keys the picker alerted
    int pickerThreads_ = 0;  // picker threads alive, in the editor perhaps
    bool killing_ = false;
};
