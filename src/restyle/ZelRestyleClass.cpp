#include "restyle/ZelRestyleClass.h"

#include "platform/eval/Evaluate.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/FileKey.h"
#include "platform/files/FileSavepoint.h"
#include "platform/files/KeyedFile.h"
#include "platform/system/Errors.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowMessages.h"
#include "restyle/DialogUnitsOnly.h"
#include "restyle/EngineProperties.h"
#include "restyle/PickerEvents.h"
#include "restyle/RestyleManager.h"
#include "restyle/ValueLayouts.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

using platform::Byte;
using platform::clip;
using platform::Long;
using platform::Short;
using platform::Window;
using restyle::DialogUnitsOnly;
using namespace restyle::engine;
namespace CREATE = platform::CREATE;
namespace EVENT = platform::EVENT;
namespace KEY = platform::KEY;
namespace PROP = platform::PROP;

namespace {

// What the window tells the configure-directly picker.
constexpr Byte kConsumed = 5;

constexpr Short kTitleBarHeight = 12;
constexpr Long kMarkerParked = -9999;

// A registered control's properties as they were registered: the control
// list's field and the property it holds. Where two fields hold one property
// (the typeface as a name and as a number, the colour three times), the one
// that puts it back comes first.
struct SnapshotField {
    const char* field;
    Long property;
};
constexpr SnapshotField kSnapshot[] = {
    {"PROP:TEXT", PROP::Text},
    {"PROP:MAXIMIZE", PROP::Maximize},
    {"PROP:XPOS", PROP::Xpos},
    {"PROP:YPOS", PROP::Ypos},
    {"PROP:WIDTH", PROP::Width},
    {"PROP:HEIGHT", PROP::Height},
    {"PROP:DISABLE", PROP::Disable},
    {"PROP:FLAT", PROP::Flat},
    {"PROP:TRN", PROP::Trn},
    {"PROP:STD", PROP::Std},
    {"PROP:FONTNAME", PROP::FontName},
    {"PROP:FONT", PROP::Font},
    {"PROP:FONTSIZE", PROP::FontSize},
    {"PROP:FONTCOLOR", PROP::FontColor},
    {"PROP:FONTSTYLE", PROP::FontStyle},
    {"PROP:COLOR", PROP::Color},
    {"PROP:BACKGROUND", PROP::Background},
    {"PROP:FILLCOLOR", PROP::FillColor},
    {"PROP:SELECTEDCOLOR", PROP::SelectedColor},
    {"PROP:SELECTEDFILLCOLOR", PROP::SelectedFillColor},
    {"PROP:ICON", PROP::Icon},
    {"PROP:WALLPAPER", PROP::WallPaper},
};

bool isColour(Long property) {
    return property == PROP::FontColor || property == PROP::Color || property == PROP::SelectedColor ||
           property == PROP::SelectedFillColor;
}

platform::FieldRef snapshotField(const ControlListRecord& row, std::size_t snapshot) {
    static const std::vector<const platform::FieldInfo*> fields = [] {
        std::vector<const platform::FieldInfo*> found;
        for (const SnapshotField& field : kSnapshot) found.push_back(ControlListRecord::fieldTable().find(field.field));
        return found;
    }();
    return {*fields[snapshot], const_cast<ControlListRecord*>(&row)};
}

// A colour never set is none (-1), not black.
std::string registeredValue(const Window& window, Long control, Long property) {
    std::string value = window.property(control, property);
    return value.empty() && isColour(property) ? "-1" : value;
}

bool isGeometry(Long property) {
    return property == PROP::Xpos || property == PROP::Ypos || property == PROP::Width || property == PROP::Height;
}

}  // namespace

struct ZelRestyleClass::PassReads {
    explicit PassReads(ZelRestyleClass& object) {
        platform::KeyedFile* properties = object.STYLEMANAGER ? object.STYLEMANAGER->PROPERTYFILE : nullptr;
        for (platform::KeyedFile* file : {properties, object.CONDITIONSETFILE, object.CONDITIONFILE, object.RESTYLEFILE})
            if (file) transactions.push_back(std::make_unique<platform::FileSavepoint>(*file));
    }
    ~PassReads() {
        for (auto& transaction : transactions) transaction->release();
    }

    std::vector<std::unique_ptr<platform::FileSavepoint>> transactions;
    using Groups = std::map<std::string, platform::Queue<CONDITIONSETQUEUERecord>, std::less<>>;
    std::map<Byte, Groups> scopes;  // by Global: the sets of every group
    std::map<Long, platform::Queue<CONDITIONQUEUERecord>> conditions;
    std::map<std::pair<Long, Long>, std::optional<Setting>> settings;
    std::map<Long, SetRows> rows;  // by set
    std::map<Long, std::vector<Long>> offered;
    std::map<std::string, bool, std::less<>> decisions;  // by the conditions' expression
};

ZelRestyleClass::Reading::Reading(ZelRestyleClass& object) : object_(object), outermost_(!object.reads_) {
    if (outermost_) object_.reads_ = std::make_unique<PassReads>(object_);
}

ZelRestyleClass::Reading::~Reading() {
    if (outermost_) object_.reads_.reset();
}

ZelRestyleClass::ZelRestyleClass() = default;

ZelRestyleClass::~ZelRestyleClass() { ZelRestyleClass::Kill(); }

// --- binding ----------------------------------------------------------------------

Byte ZelRestyleClass::Init(const std::string& procedureName, RestyleManager& styleManager) {
    STYLEMANAGER = &styleManager;
    PROCEDURENAME = clip(procedureName);
    USERNAME = styleManager.USERNAME;
    REFCHANGEGLOBALPROPERTIES = &styleManager.CHANGEGLOBALPROPERTIES;
    REFCURRENTPROFILE = styleManager.CURRENTPROFILE;
    CLARIONCONTROLPROPERTIESQUEUE = &styleManager.CLARIONCONTROLPROPERTIESQUEUE;
    RestyleManager& s = styleManager;
    SetConditionSetFile(*s.CONDITIONSETFILE, *s.CONDITIONSETFILEPRIMARYKEY, *s.CONDITIONSETFILESORTKEY,
                        s.CONDITIONSETFILEUSERNAMEFIELD, s.CONDITIONSETFILEPROFILEFIELD,
                        s.CONDITIONSETFILEPROCEDURENAMEFIELD, s.CONDITIONSETFILEGROUPNAMEFIELD,
                        s.CONDITIONSETFILECONDITIONALSETFIELD, s.CONDITIONSETFILECONDITIONALSETIDFIELD);
    SetConditionFile(*s.CONDITIONFILE, *s.CONDITIONFILEPRIMARYKEY, s.CONDITIONFILECONDITIONALSETIDFIELD,
                     s.CONDITIONFILECONDITIONALIDFIELD, s.CONDITIONFILECONTROLFIELD, s.CONDITIONFILEPROPERTYEQUATEFIELD,
                     s.CONDITIONFILEOPERATORFIELD, s.CONDITIONFILEVALUEFIELD, s.CONDITIONFILEMANUALVALUEFIELD);
    SetRestyleFile(*s.RESTYLEFILE, *s.RESTYLEFILEPRIMARYKEY, s.RESTYLEFILECONDITIONALSETID, s.RESTYLEFILEPROPERTYFIELD,
                   s.RESTYLEFILEPARAMETERFIELD, s.RESTYLEFILEVALUEFIELD);
    return limitRefuses(procedureName) ? 1 : 0;
}

// Read before anything is registered: the type scopes of a plain window. A
// negative limit refuses every start.
bool ZelRestyleClass::limitRefuses(std::string_view procedureName) {
    if (!GetProperty(0, kLimitProcedureStart, CREATE::window, 0)) return false;
    const auto limit = static_cast<Long>(platform::leadingNumber(STYLEMANAGER->CONTROLPROPERTYGROUP.VALUE.view()));
    if (limit == 0) return false;
    Byte running = 0;
    ZelRestyleClass* first = nullptr;
    for (ZelRestyleClass* object : STYLEMANAGER->RESTYLECLASSLIST) {
        if (clip(object->PROCEDURENAME.view()) != clip(procedureName)) continue;
        if (!first) first = object;
        ++running;
    }
    if (running < limit) return false;
    if (first && first->PROCEDUREWINDOW) first->PROCEDUREWINDOW->setProperty(0, PROP::Active, 1);
    return true;
}

void ZelRestyleClass::AddControl(const std::string& description, const std::string& label, Long control) {
    if (registered(control)) return;
    Window* window = platform::TARGET();
    if (!window) return;
    const DialogUnitsOnly units(*window);
    CONTROLPROPERTIESQUEUE.clear();
    ControlListRecord& row = CONTROLPROPERTIESQUEUE.rec;
    row.CONTROLEQUATE = control;
    row.CONTROLTYPEEQUATE = window->numberProperty(control, PROP::Type);
    row.CONTROLEQUATESTRING = platform::upper(clip(label));
    row.CONTROLDESCRIPTION = description;
    for (std::size_t i = 0; i < std::size(kSnapshot); ++i)
        snapshotField(row, i).setText(registeredValue(*window, control, kSnapshot[i].property));
    CONTROLPROPERTIESQUEUE.add({{"CONTROLTYPEEQUATE"}});
    labels_.emplace(control, row.CONTROLEQUATESTRING.str());
}

const std::string* ZelRestyleClass::registered(Long control) const {
    const auto label = labels_.find(control);
    return label == labels_.end() ? nullptr : &label->second;
}

void ZelRestyleClass::Open(Window& window, Byte selection) {
    CONTROLSELECTION = selection;
    PROCEDUREWINDOW = &window;
    PROCEDURETHREAD = static_cast<Byte>(platform::THREAD());
    PROCEDUREHANDLE = window.handle();
    {
        const Reading reading(*this);
        LoadWindowSettings();
        window.setProperty(0, PROP::Imm, 1);
        window.alert(0, STYLEMANAGER->CONFIGUREHOTKEY);
        STYLEMANAGER->AddRestyleClass(*this);
        {
            const DialogUnitsOnly units(window);
            recordGeometry(0);
            for (Long n = window.nextField(0); n != 0; n = window.nextField(n)) recordGeometry(n);
            ORGINALWIDTH = static_cast<Short>(window.restored(PROP::Width));
            ORGINALHEIGHT = static_cast<Short>(window.restored(PROP::Height));
        }
        PREVIOUSRATIO = 1.0;
        Restyle(0, 1);
    }
    // Fading waits: the files are not held meanwhile.
    if (fading()) FadeWindow(window, 1, 0, 1, 0, 1, 0);
}

void ZelRestyleClass::recordGeometry(Long control) {
    const Window& w = *PROCEDUREWINDOW;
    RESIZEQUEUERecord& row = RESIZEQUEUE.rec;
    row.CONTROLEQUATE = control;
    // Recorded again, a control keeps the font it opened with.
    const bool recorded = RESIZEQUEUE.get({{"CONTROLEQUATE"}});
    row.XPOS = static_cast<Short>(w.numberProperty(control, PROP::Xpos));
    row.YPOS = static_cast<Short>(w.numberProperty(control, PROP::Ypos));
    row.WIDTH = static_cast<Short>(w.numberProperty(control, PROP::Width));
    row.HEIGHT = static_cast<Short>(w.numberProperty(control, PROP::Height));
    if (recorded) {
        RESIZEQUEUE.put();
        return;
    }
    row.FONTNAME = w.property(control, PROP::FontName);
    row.FONTSIZE = static_cast<Byte>(w.numberProperty(control, PROP::FontSize));
    RESIZEQUEUE.add({{"CONTROLEQUATE"}});
    const platform::ShownFont shown = w.shownFont(control);
    openingFonts_[control] = {shown.typeface, shown.size};
}

void ZelRestyleClass::relaidOut() {
    Window& w = *PROCEDUREWINDOW;
    {
        const DialogUnitsOnly units(w);
        recordGeometry(0);
        ORGINALWIDTH = static_cast<Short>(w.restored(PROP::Width));
        ORGINALHEIGHT = static_cast<Short>(w.restored(PROP::Height));
        for (Long n = w.nextField(0); n != 0; n = w.nextField(n)) {
            if (!walked(n)) continue;
            recordGeometry(n);
            RESIZEQUEUERecord geometry = *openingGeometry(n);
            if (const auto positions = positions_.find(n); positions != positions_.end())
                for (const std::string& position : positions->second) applyPosition(n, geometry, position);
            ResizeControls(n, geometry, 0, 0);
        }
        followImages();
        place(0, w.numberProperty(0, PROP::Xpos), w.numberProperty(0, PROP::Ypos), ORGINALWIDTH + grownX_,
              ORGINALHEIGHT + grownY_);
        ShowImages();
    }
    OLDWINDOWWIDTH = static_cast<Short>(w.numberProperty(0, PROP::Width));
    OLDWINDOWHEIGHT = static_cast<Short>(w.numberProperty(0, PROP::Height));
    if (CUSTOMTITLEBAR != 0 && CAPTIONREGIONCONTROL != 0) placeTitleBar();
    if (rounded_) roundCorners();
}

void ZelRestyleClass::Kill() {
    waitForPicker();
    if (STYLEMANAGER) STYLEMANAGER->DeleteRestyleClass(*this);
}

// --- settings -----------------------------------------------------------------------

// A pass reads most groups of both scopes: each scope is read whole, once.
const platform::Queue<CONDITIONSETQUEUERecord>& ZelRestyleClass::setsOf(Byte global, const std::string& group) {
    static const platform::Queue<CONDITIONSETQUEUERecord> none;
    auto [scope, unread] = reads_->scopes.try_emplace(global);
    if (unread)
        walkScope(global, [&groups = scope->second](std::string_view name, std::string_view set, Long setId) {
            platform::Queue<CONDITIONSETQUEUERecord>& sets = groups[std::string(name)];
            sets.rec.CONDITIONALSET = set;
            sets.rec.CONDITIONALSETID = setId;
            sets.add({{"CONDITIONALSET"}});
        });
    const auto sets = scope->second.find(group);
    return sets == scope->second.end() ? none : sets->second;
}

const platform::Queue<CONDITIONQUEUERecord>& ZelRestyleClass::conditionsOf(Long setId) {
    auto [conditions, unread] = reads_->conditions.try_emplace(setId);
    if (unread) {
        LoadConditions(setId);
        conditions->second = CONDITIONQUEUE;
    }
    return conditions->second;
}

// A set is read whole at its first setting: a pass asks it for every
// property its controls' types are offered, and it stores few of them.
const ZelRestyleClass::SetRows& ZelRestyleClass::rowsOf(Long setId) {
    auto [rows, unread] = reads_->rows.try_emplace(setId);
    if (unread)
        walkSetRows(setId, [&stored = rows->second](std::string_view property, std::string_view parameter,
                                                    std::string value) {
            stored[std::string(property)][std::string(parameter)] = std::move(value);
        });
    return rows->second;
}

const ZelRestyleClass::Setting* ZelRestyleClass::settingOf(Long setId, Long property) {
    auto [setting, unread] = reads_->settings.try_emplace({setId, property});
    if (!unread) return setting->second ? &*setting->second : nullptr;
    const SetRows& rows = rowsOf(setId);
    const auto stored = rows.find(restyle::propertyName(property));
    if (stored == rows.end()) return nullptr;
    PROPERTYSETTINGRecord group;
    const auto rowOf = [&parameters = stored->second](std::string_view parameter) -> std::optional<std::string> {
        const auto row = parameters.find(parameter);
        return row == parameters.end() ? std::nullopt : std::optional(row->second);
    };
    if (!fillRecord(platform::recordRef(group), rowOf)) return nullptr;
    setting->second = Setting{group.ENABLED, clip(group.VALUE.view()), group.CLARIONVALUE};
    return &*setting->second;
}

const std::vector<Long>& ZelRestyleClass::offeredFor(Long controlType) {
    auto [offered, unread] = reads_->offered.try_emplace(controlType);
    if (!unread) return offered->second;
    RestyleManager& s = *STYLEMANAGER;
    s.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(controlType);
    s.PROPERTYFILEPROPERTYFIELD.setText("");
    s.PROPERTYFILE->set(*s.PROPERTYFILEPRIMARYKEY, *s.PROPERTYFILEPRIMARYKEY);
    while (s.PROPERTYFILE->next() && s.PROPERTYFILECONTROLTYPEEQUATEFIELD.number() == controlType)
        offered->second.push_back(static_cast<Long>(s.PROPERTYFILEPROPERTYEQUATEFIELD.number()));
    return offered->second;
}

// The enabled value of the group's "-Unconditional-" set, into CONTROLPROPERTYGROUP.
Byte ZelRestyleClass::propertyIn(Byte global, const std::string& group, Long property) {
    const platform::Queue<CONDITIONSETQUEUERecord>& sets = setsOf(global, group);
    for (std::size_t i = 1; i <= sets.records(); ++i) {
        const CONDITIONSETQUEUERecord& set = sets.at(i);
        if (clip(set.CONDITIONALSET.view()) != restyle::kUnconditional) continue;
        const Setting* setting = settingOf(set.CONDITIONALSETID, property);
        if (!setting || setting->enabled == 0) return 0;
        PROPERTYSETTINGRecord& group = STYLEMANAGER->CONTROLPROPERTYGROUP;
        group.ENABLED = setting->enabled;
        group.VALUE = setting->value;
        group.CLARIONVALUE = setting->clarionValue;
        return 1;
    }
    return 0;
}

Byte ZelRestyleClass::GetProperty(Long control, Long property, Long controlType, Byte lookUpType) {
    const Reading reading(*this);
    platform::clearRecord(PROPERTYSETTINGRecord::fieldTable(), &STYLEMANAGER->CONTROLPROPERTYGROUP);
    if (const std::string* label = registered(control); label && propertyIn(0, restyle::controlGroup(*label), property))
        return 1;
    const Long type =
        lookUpType == 1 && PROCEDUREWINDOW ? PROCEDUREWINDOW->numberProperty(control, PROP::Type) : controlType;
    const std::string group = restyle::controlTypeGroup(type);
    return propertyIn(0, group, property) || propertyIn(1, group, property) ? 1 : 0;
}

Long ZelRestyleClass::windowSetting(Long property) {
    return GetProperty(0, property, 0, 1)
               ? static_cast<Long>(platform::leadingNumber(STYLEMANAGER->CONTROLPROPERTYGROUP.VALUE.view()))
               : 0;
}

bool ZelRestyleClass::fading() {
    return GetProperty(0, kFadeWindows, 0, 1) &&
           platform::leadingNumber(STYLEMANAGER->CONTROLPROPERTYGROUP.VALUE.view().substr(0, 1)) != 0;
}

Byte ZelRestyleClass::AllowStyling(Long control) {
    return GetProperty(control, kNoPropertyStyling, 0, 1) &&
                   platform::leadingNumber(STYLEMANAGER->CONTROLPROPERTYGROUP.VALUE.view()) != 0
               ? 0
               : 1;
}

void ZelRestyleClass::LoadWindowSettings() {
    const Reading reading(*this);
    WINDOWROUNDNESS = 0;
    IMAGEQUEUE.free();
    platform::clearRecord(*CONDITIONSETFILE->record().fields, CONDITIONSETFILE->record().buffer);
    DISABLERESTYLE = static_cast<Byte>(windowSetting(kDisableStyling));
    const bool on = DISABLERESTYLE == 0;
    AUTOMAXIMIZE = on ? static_cast<Byte>(windowSetting(kMaximizeAutomatic)) : 0;
    CUSTOMTITLEBAR = on ? static_cast<Byte>(windowSetting(kCustomTitleBar)) : 0;
    WINDOWSAVEPOSITION = on ? static_cast<Byte>(windowSetting(kSaveWindowPosition)) : 0;
    WINDOWCHECKPOSITION = on ? static_cast<Byte>(windowSetting(kCheckWindowPosition)) : 0;
    CENTERCONTROLS = on ? static_cast<Byte>(windowSetting(kCenterControls)) : 0;
    RESIZEWINDOW = on ? static_cast<Byte>(windowSetting(kDynamicSizing)) : 0;
    if (on) loadImages();
}

// The procedure's own image list when it has one, else the program's; the
// "~Images~" set of each scope read is made when it is missing.
void ZelRestyleClass::loadImages() {
    const std::string profile = clip(REFCURRENTPROFILE.text());
    const std::string images = restyle::imagesProperty(profile);
    IMAGEPROPERTYGROUP = {};
    Long setId = GetConditionSetID(0, 0, restyle::kImagesGroup);
    const bool own = LoadGroup(platform::recordRef(IMAGEPROPERTYGROUP), setId, images) &&
                     IMAGEPROPERTYGROUP.CHANGEIMAGESETTINGS != 0;
    if (!own) {
        IMAGEPROPERTYGROUP = {};
        setId = GetConditionSetID(1, 0, restyle::kImagesGroup);
        LoadGroup(platform::recordRef(IMAGEPROPERTYGROUP), setId, images);
    }
    if (IMAGEPROPERTYGROUP.DONOTUSEIMAGES != 0) return;
    if (!own && IMAGEPROPERTYGROUP.NUMBEROFIMAGES == 0) {
        for (std::size_t i = 1; i <= STYLEMANAGER->IMAGEQUEUE.records(); ++i) {
            IMAGEQUEUE.rec = STYLEMANAGER->IMAGEQUEUE.at(i);
            IMAGEQUEUE.add();
        }
        return;
    }
    for (Long i = 1; i <= IMAGEPROPERTYGROUP.NUMBEROFIMAGES; ++i) {
        IMAGEQUEUE.clear();
        if (LoadQueue(IMAGEQUEUE, setId, restyle::imageProperty(profile, i))) IMAGEQUEUE.add({{"IMAGEORDER"}});
    }
}

// --- restyling ------------------------------------------------------------------------

void ZelRestyleClass::Restyle(Byte reload, Byte fromResize) {
    Window& w = *PROCEDUREWINDOW;
    const Reading reading(*this);
    platform::SETTARGET(&w);
    if (reload == 1 && fromResize == 0) LoadWindowSettings();
    const bool messageBox = clip(PROCEDURENAME.view()) == restyle::kMessageProcedure;
    if (messageBox) STYLEMANAGER->PrepareMessageWindow(*this);
    UpdateMenuTree();
    if (!stylingOff()) {
        restyleControls();
    } else if (WINDOWRESTYLED == 1) {
        removeStyling();
    }
    const Long width = w.numberProperty(0, PROP::Width), height = w.numberProperty(0, PROP::Height);
    if (width != 0 && height != 0) {
        OLDWINDOWWIDTH = static_cast<Short>(width);
        OLDWINDOWHEIGHT = static_cast<Short>(height);
    }
    if (messageBox) STYLEMANAGER->RestyleClassCreated(*this);
    platform::SETTARGET();
}

void ZelRestyleClass::restyleControls() {
    Window& w = *PROCEDUREWINDOW;
    CAPTIONHEIGHT = CUSTOMTITLEBAR != 0 ? kTitleBarHeight : 0;
    const auto deferred = static_cast<Long>(platform::leadingNumber(platform::SYSTEM(PROP::DeferMove)));
    platform::SYSTEM(PROP::DeferMove, std::to_string(CONTROLPROPERTIESQUEUE.records()));
    platform::SYSTEM(PROP::LazyDisplay, "1");
    if (AUTOMAXIMIZE != 0 && w.numberProperty(0, PROP::Maximize) == 0) {
        w.setProperty(0, PROP::Maximize, 1);
        restyled_[0].insert(PROP::Maximize);  // so removing the styling restores it
    }
    {
        const DialogUnitsOnly units(w);
        const bool sized = w.numberProperty(0, PROP::Width) != 0 && w.numberProperty(0, PROP::Height) != 0;
        Offsets offsets;
        if (sized) {
            offsets = fitToSize();
            ShowImages();
        } else if (WINDOWRESTYLED == 0) {
            // Nothing to fit yet: the controls go where they opened.
            RATIO = 1.0;
            SHIFTXPOS = SHIFTYPOS = 0;
        }
        RestyleControl(0, nullptr);
        for (Long n = w.nextField(0); n != 0; n = w.nextField(n)) {
            if (!walked(n) || (WINDOWRESTYLED == 0 && CONTROLSELECTION == 0 && !registered(n))) continue;
            RESIZEQUEUERecord geometry = *openingGeometry(n);
            RestyleControl(n, &geometry);
            ResizeControls(n, geometry, offsets.x, offsets.y);
        }
        followImages();
        if (MARKSELECTEDCONTROLACTIVE != 0) MarkSelectedControl();
        if (sized) {
            PREVIOUSRATIO = RATIO;
            if (WINDOWCHECKPOSITION != 0) CheckWindowPosition();
            if (WINDOWRESTYLED == 0 && WINDOWROUNDNESS != 0) roundCorners();
            if (CUSTOMTITLEBAR != 0) CreateTitleBar();
        }
    }
    platform::SYSTEM(PROP::DeferMove, std::to_string(deferred < 0 ? deferred : 0));
    platform::SYSTEM(PROP::LazyDisplay, "0");
    WINDOWRESTYLED = 1;
}

bool ZelRestyleClass::walked(Long control) const {
    const Window& w = *PROCEDUREWINDOW;
    const Long type = w.numberProperty(control, PROP::Type);
    return type >= 1 && type <= 127 && type != CREATE::menu && type != CREATE::item &&
           w.numberProperty(control, PROP::InToolBar) == 0 && openingGeometry(control);
}

const RESIZEQUEUERecord* ZelRestyleClass::openingGeometry(Long control) const {
    for (std::size_t i = 1; i <= RESIZEQUEUE.records(); ++i)
        if (RESIZEQUEUE.at(i).CONTROLEQUATE == control) return &RESIZEQUEUE.at(i);
    return nullptr;
}

// The control's type under "~Global settings", in this procedure, then the
// control itself.
void ZelRestyleClass::RestyleControl(Long control, RESIZEQUEUERecord* geometry) {
    positions_.erase(control);
    passFont_ = {};
    if (AllowStyling(control) == 0) return;
    pendingControl_ = control;
    const std::string typeGroup = restyle::controlTypeGroup(PROCEDUREWINDOW->numberProperty(control, PROP::Type));
    ApplyConditionSets(setsOf(1, typeGroup), control, geometry);
    ApplyConditionSets(setsOf(0, typeGroup), control, geometry);
    if (const std::string* label = registered(control))
        ApplyConditionSets(setsOf(0, restyle::controlGroup(*label)), control, geometry);
    writePending();
}

void ZelRestyleClass::ApplyConditionSets(const platform::Queue<CONDITIONSETQUEUERecord>& sets, Long control,
                                         RESIZEQUEUERecord* geometry) {
    for (std::size_t i = 1; i <= sets.records(); ++i) {
        const CONDITIONSETQUEUERecord& set = sets.at(i);
        if (decideConditionSet(set.CONDITIONALSET.view(), set.CONDITIONALSETID, *PROCEDUREWINDOW, control).applies)
            ApplySetProperties(set.CONDITIONALSETID, control, geometry);
    }
}

// The properties the property file offers for the control's type, each
// as the set stores it when it is enabled there.
void ZelRestyleClass::ApplySetProperties(Long setId, Long control, RESIZEQUEUERecord* geometry) {
    if (!registered(control)) return;
    for (const Long property : offeredFor(PROCEDUREWINDOW->numberProperty(control, PROP::Type))) {
        const Setting* setting = settingOf(setId, property);
        if (!setting || setting->enabled == 0) continue;
        if (property > 0)
            applyValue(control, property, *setting);
        else
            applyEngineValue(property, setting->value, geometry);
    }
}

void ZelRestyleClass::applyValue(Long control, Long property, const Setting& setting) {
    if (property == PROP::Font) {
        const restyle::FontValue font = restyle::fontValue(setting.value);
        for (const auto& [written, value] :
             platform::fontWrites(font.typeface, font.size, font.color, font.style, font.charset))
            write(written, value);
        return;
    }
    std::string value = setting.value;
    if (setting.clarionValue != 0) {
        writePending();  // what the expression reads is the pass's
        value = platform::EVALUATE(ResolveExpression(*PROCEDUREWINDOW, CONTROLPROPERTIESQUEUE,
                                                     *CLARIONCONTROLPROPERTIESQUEUE, value, control));
        // The resolver's error texts never evaluate: the property stays as it was.
        if (platform::ERRORCODE() != 0) return;
    }
    write(property, value);
}

void ZelRestyleClass::applyEngineValue(Long property, std::string_view value, RESIZEQUEUERecord* geometry) {
    switch (property) {
        case kMarkSelectedControl: {
            const restyle::MarkValue mark = restyle::markValue(value);
            MARKSELECTEDCONTROLACTIVE = 1;
            MARKSELECTEDCONTROLCOLOR = mark.color;
            MARKSELECTEDCONTROLSYMBOL = mark.symbol;
            MARKSELECTEDCONTROLCONFIGURATION = mark.marking;
            MarkSelectedControl();
            return;
        }
        case kWindowRoundness: WINDOWROUNDNESS = static_cast<Short>(platform::leadingNumber(value)); return;
        // The window has no geometry in the pass: its place and size are its own.
        case kControlPosition:
            if (!geometry) return;
            applyPosition(pendingControl_, *geometry, value);
            positions_[pendingControl_].emplace_back(value);
            return;
        case kImageOnControl: applyImageOnControl(value); return;
        default: return;  // read where they matter
    }
}

// From the opening geometry, so that passes do not add up.
void ZelRestyleClass::applyPosition(Long control, RESIZEQUEUERecord& geometry, std::string_view value) {
    const RESIZEQUEUERecord& opening = *openingGeometry(control);
    const auto changes = restyle::positionValue(value);
    const auto apply = [](const restyle::PositionChange& change, Short& into, Short from, Short room) {
        if (change.used) into = static_cast<Short>(change.applied(from, room));
    };
    apply(changes[0], geometry.XPOS, opening.XPOS, SHIFTXPOS);
    apply(changes[1], geometry.YPOS, opening.YPOS, SHIFTYPOS);
    apply(changes[2], geometry.WIDTH, opening.WIDTH, 0);
    apply(changes[3], geometry.HEIGHT, opening.HEIGHT, 0);
}

void ZelRestyleClass::applyImageOnControl(std::string_view value) {
    Window& w = *PROCEDUREWINDOW;
    const Long control = pendingControl_;
    const restyle::ImageOnControlValue image = restyle::imageOnControlValue(value);
    IMAGEBUTTONQUEUE.rec.CONTROLEQUATE = control;
    if (!IMAGEBUTTONQUEUE.get({{"CONTROLEQUATE"}})) {
        const platform::Control* c = w.control(control);
        const Long made = c ? w.create({.type = CREATE::image}, c->parent) : 0;
        if (made == 0) return;
        IMAGEBUTTONQUEUE.rec = {control, made};
        IMAGEBUTTONQUEUE.add();
    }
    const Long imageControl = IMAGEBUTTONQUEUE.rec.IMAGEEQUATE;
    w.setProperty(imageControl, PROP::Hide, 1);
    w.setProperty(imageControl, PROP::Text, image.file);
    w.setProperty(imageControl, PROP::Tiled, image.mode != '1' && image.mode != '2' ? 1 : 0);
    w.setProperty(imageControl, PROP::Centered, image.mode == '2' ? 1 : 0);
    if (image.look == '2') write(PROP::Trn, "1");
    if (image.look == '3') write(PROP::Flat, "1");
}

void ZelRestyleClass::write(Long property, std::string_view value) { pending_[property] = value; }

void ZelRestyleClass::writePending() {
    Window& w = *PROCEDUREWINDOW;
    for (const auto& [property, value] : pending_) {
        if (w.property(pendingControl_, property) != value) w.setProperty(pendingControl_, property, value);
        restyled_[pendingControl_].insert(property);
        if (property == PROP::FontName) passFont_.typeface = clip(value);
        if (property == PROP::FontSize) passFont_.size = static_cast<Long>(platform::leadingNumber(value));
    }
    pending_.clear();
}

std::string ZelRestyleClass::valueOf(const Window& window, Long control, Long property) const {
    const auto pending = pending_.find(property);
    return control == pendingControl_ && pending != pending_.end() ? pending->second
                                                                   : window.property(control, property);
}

void ZelRestyleClass::change(Long control, Long property, std::string_view value) {
    if (PROCEDUREWINDOW->property(control, property) != value) PROCEDUREWINDOW->setProperty(control, property, value);
}

void ZelRestyleClass::place(Long control, Long x, Long y, Long width, Long height) {
    Window& w = *PROCEDUREWINDOW;
    const auto differing = [&](Long property, Long value) {
        return w.numberProperty(control, property) != value ? std::optional<Long>(value) : std::nullopt;
    };
    w.setPosition(control, differing(PROP::Xpos, x), differing(PROP::Ypos, y), differing(PROP::Width, width),
                  differing(PROP::Height, height));
}

// Images on controls lie where their controls lie and show while they show.
void ZelRestyleClass::followImages() {
    Window& w = *PROCEDUREWINDOW;
    for (std::size_t i = 1; i <= IMAGEBUTTONQUEUE.records(); ++i) {
        const IMAGEBUTTONQUEUERecord& row = IMAGEBUTTONQUEUE.at(i);
        place(row.IMAGEEQUATE, w.numberProperty(row.CONTROLEQUATE, PROP::Xpos),
              w.numberProperty(row.CONTROLEQUATE, PROP::Ypos), w.numberProperty(row.CONTROLEQUATE, PROP::Width),
              w.numberProperty(row.CONTROLEQUATE, PROP::Height));
        w.setProperty(row.IMAGEEQUATE, PROP::Hide, w.numberProperty(row.CONTROLEQUATE, PROP::Hide) != 0 ? 1 : 0);
    }
}

// Every control back at its opening geometry, font and columns, what passes
// wrote on the registered controls back as registered, the images on
// controls hidden; the window gives back the room it grew by.
void ZelRestyleClass::removeStyling() {
    Window& w = *PROCEDUREWINDOW;
    {
        const DialogUnitsOnly units(w);
        for (Long n = w.nextField(0); n != 0; n = w.nextField(n)) {
            if (!walked(n)) continue;
            const RESIZEQUEUERecord& opening = *openingGeometry(n);
            place(n, opening.XPOS, opening.YPOS, opening.WIDTH, opening.HEIGHT);
        }
        unscaleFontsAndColumns();
        for (std::size_t i = 1; i <= CONTROLPROPERTIESQUEUE.records(); ++i) {
            const ControlListRecord& row = CONTROLPROPERTIESQUEUE.at(i);
            const Long control = row.CONTROLEQUATE;
            std::set<Long>& written = restyled_[control];
            for (std::size_t i = 0; i < std::size(kSnapshot); ++i) {
                const Long property = kSnapshot[i].property;
                if (written.erase(property) == 0 || (control == 0 && isGeometry(property))) continue;
                w.setProperty(control, property, snapshotField(row, i).text());
            }
        }
    }
    restyled_.clear();
    positions_.clear();
    // The images put on controls go with the styling; a later pass shows them again.
    for (std::size_t i = 1; i <= IMAGEBUTTONQUEUE.records(); ++i)
        w.setProperty(IMAGEBUTTONQUEUE.at(i).IMAGEEQUATE, PROP::Hide, 1);
    RATIO = PREVIOUSRATIO = 1.0;
    ShowImages();
    // Styled again, the window is built and grows as on its first pass.
    removeTitleBar();
    if (std::exchange(rounded_, false)) platform::SetWindowRgn(PROCEDUREHANDLE, std::nullopt, true);
    giveRoomBack();
    WINDOWRESTYLED = 0;
}

// --- events -------------------------------------------------------------------------------

Byte ZelRestyleClass::TakeEvent() {
    if (!PROCEDUREWINDOW) return 0;
    Window& w = *PROCEDUREWINDOW;
    const Long event = w.event();
    if (CONFIGUREDIRECTLYONWINDOW.THREAD != 0) return takePickerEvent(event);
    switch (event) {
        case EVENT::GainFocus:
        case EVENT::LoseFocus:
            if (!stylingOff()) showTitleBarActive(event == EVENT::GainFocus);
            break;
        case EVENT::AlertKey: takeAlertKey(); break;
        case EVENT::Sized: takeSized(); break;
        case EVENT::SizedAgain:
            sizedAgainPending_ = false;
            platform::POST(EVENT::Sized, 0, PROCEDURETHREAD);
            break;
        case EVENT::CloseWindow:
            if (fading()) FadeWindow(w, 0, 0, 1, 0, 1, 0);
            break;
        // Posted as it faded out: the window is still open, its close refused.
        case EVENT::FadedOut:
            if (fadedOut_) showAfterFadeOut();
            break;
        case EVENT::Selected:
            if (MARKSELECTEDCONTROLACTIVE != 0 && MARKSELECTEDCONTROLEQUATE != 0 &&
                w.numberProperty(w.field(), PROP::Skip) == 0)
                placeMarker(w.field());
            break;
        case EVENT::Accepted:
            if (stylingOff() || w.isApplication() || WINDOWICONCONTROL == 0 || w.field() != WINDOWICONCONTROL) break;
            if (w.keyCode() == KEY::MouseLeft2) {
                platform::POST(EVENT::CloseWindow);
            } else {
                platform::PostMessage(PROCEDUREHANDLE, platform::WM_SYSCOMMAND, platform::SC_KEYMENU);
                platform::PRESSKEY(KEY::Space);
            }
            break;
        default: break;
    }
    return 0;
}

Byte ZelRestyleClass::takePickerEvent(Long event) {
    namespace picker = restyle::picker;
    const Window& w = *PROCEDUREWINDOW;
    ConfigureDirectlyState& state = CONFIGUREDIRECTLYONWINDOW;
    const auto recordPointer = [&] {
        state.XPOS = static_cast<Short>(w.current().mouseX);
        state.YPOS = static_cast<Short>(w.current().mouseY);
    };
    switch (event) {
        // A mouse button stops here, unCYCLEd, so the control under it does nothing.
        case EVENT::PreAlertKey:
            if (w.keyCode() != KEY::MouseLeft && w.keyCode() != KEY::MouseRight) return kConsumed;
            recordPointer();
            platform::POST(picker::kClicked, 0, state.THREAD);
            return 0;
        case EVENT::CloseWindow: StopConfigureDirectly(); return kConsumed;
        case EVENT::TabChanging:
        case EVENT::Size:
        case EVENT::Sized:
        case EVENT::Move:
        case EVENT::Moved:
            state.ACTIVECONTROLEQUATE = w.field();
            platform::POST(picker::kSized, 0, state.THREAD);
            return 0;
        default:
            recordPointer();
            platform::POST(picker::kPointed, 0, state.THREAD);
            return kConsumed;
    }
}

// The title bar's controls are 0 on a window without one.
void ZelRestyleClass::takeAlertKey() {
    Window& w = *PROCEDUREWINDOW;
    const Long key = w.keyCode(), field = w.field();
    const bool onCaption = CAPTIONREGIONCONTROL != 0 && field == CAPTIONREGIONCONTROL;
    if (DISABLERESTYLE == 0 && key == KEY::MouseLeft2) {
        if (onCaption) {
            w.setProperty(0, PROP::Maximize, w.numberProperty(0, PROP::Maximize) != 0 ? 0 : 1);
            platform::POST(EVENT::Sized);
        } else if (WINDOWICONCONTROL != 0 && field == WINDOWICONCONTROL && !w.isApplication()) {
            platform::POST(EVENT::CloseWindow);
        }
    } else if (!stylingOff() && key == KEY::MouseLeft && onCaption) {
        platform::PostMessage(PROCEDUREHANDLE, platform::WM_SYSCOMMAND, platform::SC_DRAGMOVE);
    } else if (key == STYLEMANAGER->CONFIGUREHOTKEY) {
        if (MARKSELECTEDCONTROLEQUATE != 0 && MARKSELECTEDCONTROLACTIVE != 0) {
            w.setProperty(MARKSELECTEDCONTROLEQUATE, PROP::Xpos, kMarkerParked);
            w.setProperty(MARKSELECTEDCONTROLEQUATE, PROP::Ypos, kMarkerParked);
        }
        // The focus comes back where the key found it.
        const Long focused = w.focus();
        STYLEMANAGER->Configure(*this);
        if (focused != 0) w.select(focused);
    }
}

// Under a modal window the size change waits until that window has closed:
// one retry at a time.
void ZelRestyleClass::takeSized() {
    Window& w = *PROCEDUREWINDOW;
    if (WINDOWRESTYLED != 1) return;
    if (platform::SYSTEM(PROP::Modal) == "1") {
        if (!sizedAgainPending_) platform::postAfterModal(w, EVENT::SizedAgain);
        sizedAgainPending_ = true;
        return;
    }
    const Long width = w.numberProperty(0, PROP::Width), height = w.numberProperty(0, PROP::Height);
    if ((width != OLDWINDOWWIDTH || height != OLDWINDOWHEIGHT) && width != 0 && height != 0) Restyle(0, 1);
    if (!stylingOff() && WINDOWROUNDNESS != 0) roundCorners();
    if (w.isApplication()) {
        const DialogUnitsOnly units(w);
        STYLEMANAGER->APPLICATIONCLIENTWIDTH = static_cast<Short>(w.numberProperty(0, PROP::ClientWidth));
        STYLEMANAGER->APPLICATIONCLIENTHEIGHT = static_cast<Short>(w.numberProperty(0, PROP::ClientHeight));
        if (MENUTREEWINDOW && MENUTREETHREAD != 0) platform::POST(EVENT::Sized, 0, MENUTREETHREAD);
    } else if (CUSTOMTITLEBAR != 0) {
        placeTitleBar();
    }
}

// --- condition sets ----------------------------------------------------------------------

void ZelRestyleClass::LoadConditions(Long setId) {
    CONDITIONQUEUE.free();
    CONDITIONQUEUE.clear();
    CONDITIONQUEUERecord& condition = CONDITIONQUEUE.rec;
    walkConditions(setId);
    while (CONDITIONFILE->next() && CONDITIONFILECONDITIONALSETIDFIELD.number() == setId) {
        condition.CONDITIONALID = static_cast<Long>(CONDITIONFILECONDITIONALIDFIELD.number());
        condition.CONTROL = CONDITIONFILECONTROLFIELD.text();
        condition.PROPERTYEQUATE = static_cast<Long>(CONDITIONFILEPROPERTYEQUATEFIELD.number());
        condition.OPERATOR = CONDITIONFILEOPERATORFIELD.text();
        condition.VALUE = CONDITIONFILEVALUEFIELD.text();
        condition.MANUALVALUE = static_cast<Byte>(CONDITIONFILEMANUALVALUEFIELD.number());
        CONDITIONQUEUE.add({{"CONDITIONALID"}});
    }
}

restyle::ConditionDecision ZelRestyleClass::decideConditionSet(std::string_view setName, Long setId,
                                                               const Window& window, Long control) {
    if (clip(setName) == restyle::kUnconditional) return {{}, true};
    const Reading reading(*this);
    return restyle::decideConditions(
        conditionsOf(setId),
        [&](const CONDITIONQUEUERecord& condition) { return valueOf(window, control, condition.PROPERTYEQUATE); },
        [this](std::string_view expression) {
            auto [decided, unread] = reads_->decisions.try_emplace(std::string(expression));
            if (unread) decided->second = restyle::expressionHolds(expression);
            return decided->second;
        });
}
