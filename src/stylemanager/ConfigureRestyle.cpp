#include "stylemanager/ConfigureRestyle.h"

#include "platform/files/KeyedFile.h"
#include "platform/program/Program.h"
#include "platform/system/Errors.h"
#include "platform/ui/QueueModel.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <cstdlib>
#include <map>

using namespace platform;
using restyle::controlGroup;
using restyle::controlTypeGroup;
using restyle::kGlobalSettings;
using restyle::kUnconditional;
using restyle::propertyName;

namespace {

constexpr const char* kHelpId = "~ZelRestyleConfigureRestyle";
constexpr const char* kMarker = "=>";
constexpr Long kNameEditorKeys[] = {KEY::Tab, KEY::Shift + KEY::Tab, KEY::Enter, KEY::Esc, KEY::Down, KEY::Up};
constexpr Long kFontColor = 0xFFC7B7, kWindowColor = 0x400000;
constexpr int kSingleListHeight = 191;
// The sheet's tabs, by their places.
constexpr Long kConditionPage = 1, kPropertyPage = 2;

const char* marker(bool set) { return set ? kMarker : ""; }
bool isTypeRow(const CONTROLTREEQUEUERecord& row) { return std::abs(row.LEVEL) == 1; }

}  // namespace

RestyleEditor::RestyleEditor(ZelStylemanagerClass& manager, ZelRestyleClass& styled, Long control,
                             Byte allControlTypes)
    : manager_(manager),
      styled_(styled),
      control_(control),
      allControlTypes_(allControlTypes),
      window_(P23_CONFIGUREWINDOW(locals_, manager.CONDITIONSETQUEUE, manager.CONDITIONQUEUE)) {}

void RestyleEditor::run() {
    FillControlTree();
    open();
    while (!done_ && window_.accept()) takeEvent();
    if (manager_.USEFADING == 1) styled_.FadeWindow(window_, 0, 0, 1, 0, 1, 0);
    window_.close();
}

void RestyleEditor::open() {
    window_.open();
    window_.setProperty(0, PROP::Buffer, 1);
    window_.setProperty(0, PROP::Hlp, kHelpId);
    SetupEditorWindow();
    manager_.TRANSLATOR.TranslateWindow(window_);
    if (manager_.USEFADING == 1) styled_.FadeWindow(window_, 1, 0, 1, 0, 1, 0);
}

// --- window set-up ---------------------------------------------------------------------------------

void RestyleEditor::SetupEditorWindow() {
    window_.setProperty(0, PROP::FontColor, kFontColor);
    window_.setProperty(0, PROP::Color, kWindowColor);
    nameEditor_ = window_.create({.type = CREATE::entry, .label = "?CONDITIONSETNAMEEDITOR"});
    for (const Long key : kNameEditorKeys) window_.alert(nameEditor_, key);
    locals_.PROPERTY = {};
    for (const char* sheet : {"?PROPERTYSHEET", "?CONTROLTYPEPROPERTIESSHEET"})
        window_.setProperty(equate(sheet), PROP::Wizard, 1);
    const std::string procedureName = clip(manager_.PROCEDURENAME.view());
    locals_.DESCRIPTION = procedureName;
    ControlList& controls = styled_.CONTROLPROPERTIESQUEUE;
    controls.rec.CONTROLEQUATE = control_;
    if (control_ != 0 && controls.get({{"CONTROLEQUATE"}})) {
        ControlTypeList& types = manager_.CONTROLTYPESQUEUE;
        types.rec.CONTROLTYPEEQUATE = controls.rec.CONTROLTYPEEQUATE;
        const std::string type = types.get({{"CONTROLTYPEEQUATE"}}) ? clip(types.rec.CONTROLTYPE.view()) : "";
        locals_.DESCRIPTION = procedureName + " - " + translated("Controltype") + " " + type + " - " +
                              labelled(controls.rec.CONTROLDESCRIPTION.view(), controls.rec.CONTROLEQUATESTRING.view());
        for (const char* hidden : {"?SHOWALLCONTROLTYPES", "?SHOWMODIFIEDCONTROLTYPESONLY", "?CONTROLLIST"})
            window_.setProperty(equate(hidden), PROP::Hide, 1);
        const Long tree = equate("?CONTROLLIST"), sets = equate("?CONDITIONSETLIST");
        const auto at = [this](Long control, Long prop) { return window_.numberProperty(control, prop); };
        window_.setPosition(equate("?ACTIVEPROPERTYLIST"), at(sets, PROP::Xpos), at(sets, PROP::Ypos), std::nullopt,
                            kSingleListHeight);
        window_.setPosition(equate("?CONDITIONSETSPROMPT"), at(tree, PROP::Xpos), std::nullopt, std::nullopt,
                            std::nullopt);
        window_.setPosition(sets, at(tree, PROP::Xpos), at(tree, PROP::Ypos), at(tree, PROP::Width),
                            at(tree, PROP::Height) - 20);
        const std::pair<const char*, Long> buttons[] = {
            {"?INSERTCONDITIONSETBUTTON", 5}, {"?CHANGECONDITIONSETBUTTON", 55}, {"?DELETECONDITIONSETBUTTON", 107}};
        for (const auto& [button, x] : buttons) window_.setPosition(equate(button), x, 290, std::nullopt, std::nullopt);
    }
    if (manager_.USERNAME) locals_.USER = clip(manager_.USERNAME->view());
    locals_.PROFILE = clip(manager_.CURRENTPROFILE.view());
    manager_.PROCEDURENAME = styled_.PROCEDURENAME;
}

// The description, with the label after it in parentheses where the two differ.
std::string RestyleEditor::labelled(std::string_view description, std::string_view label) {
    std::string text = manager_.StripLabelPrefix(clip(description));
    if (clip(description) != clip(label)) text += " (" + manager_.StripLabelPrefix(clip(label)) + ")";
    return text;
}

std::string RestyleEditor::translated(std::string_view text) { return manager_.TRANSLATOR.TranslateString(text); }

// --- the tree --------------------------------------------------------------------------------------

void RestyleEditor::FillControlTree() {
    tree_.free();
    tree_.clear();
    addTypeRows();
    addControlRows();
    pruneTree();
    Long parent = 0;
    for (std::size_t row = 1; row <= tree_.records(); ++row) {
        tree_.get(row);
        if (isTypeRow(tree_.rec)) {
            parent = static_cast<Long>(row);
            continue;
        }
        tree_.rec.PARENTPOINTER = parent;
        tree_.put();
    }
    if (tree_.records() != 0) return;
    if (locals_.SHOWMODIFIEDCONTROLTYPESONLY == 1) {
        locals_.SHOWMODIFIEDCONTROLTYPESONLY = 0;
        FillControlTree();
    } else if (locals_.SHOWALLCONTROLTYPES == 0) {
        locals_.SHOWALLCONTROLTYPES = 1;
        FillControlTree();
    }
}

void RestyleEditor::addTypeRows() {
    const Window* styledWindow = styled_.PROCEDUREWINDOW;
    const Long controlType = styledWindow && control_ != 0 ? styledWindow->numberProperty(control_, PROP::Type) : 0;
    const ControlTypeList& types = manager_.CONTROLTYPESQUEUE;
    for (std::size_t i = 1; i <= types.records(); ++i) {
        const Long type = types.at(i).CONTROLTYPEEQUATE;
        if (locals_.SHOWALLCONTROLTYPES != 1 && allControlTypes_ != 1 && type != controlType) continue;
        tree_.clear();
        tree_.rec.DISPLAY = clip(types.at(i).CONTROLTYPE.view());
        tree_.rec.CONTROLTYPEEQUATE = type;
        tree_.rec.LEVEL = 1;
        tree_.add();
    }
}

// Each registered control goes right under its type's row, so a type's
// controls stand in the reverse of the window's field order.
void RestyleEditor::addControlRows() {
    const Window* styledWindow = styled_.PROCEDUREWINDOW;
    if (!styledWindow) return;
    ControlList& controls = styled_.CONTROLPROPERTIESQUEUE;
    Long control = 0;
    do {
        const Long type = styledWindow->numberProperty(control, PROP::Type);
        std::size_t typeRow = 0;
        for (std::size_t row = 1; row <= tree_.records() && typeRow == 0; ++row)
            if (isTypeRow(tree_.at(row)) && tree_.at(row).CONTROLTYPEEQUATE == type) typeRow = row;
        controls.rec.CONTROLEQUATE = control;
        const bool wanted = locals_.SHOWALLCONTROLTYPES == 1 || allControlTypes_ == 1 || control == control_;
        if (typeRow != 0 && controls.get({{"CONTROLEQUATE"}}) && wanted) {
            const std::string typeGroup = controlTypeGroup(type);
            tree_.get(typeRow);
            // The type's markers are the same for each of its controls: looked up once.
            if (tree_.rec.NUMBEROFCONTROLS == 0) {
                tree_.rec.LOCALPROPERTY = marker(manager_.ConditionSetExists(0, typeGroup) != 0);
                tree_.rec.GLOBALPROPERTY = marker(manager_.ConditionSetExists(1, typeGroup) != 0);
            }
            ++tree_.rec.NUMBEROFCONTROLS;
            tree_.put();
            const std::string label = clip(controls.rec.CONTROLEQUATESTRING.view());
            tree_.rec.DISPLAY = labelled(controls.rec.CONTROLDESCRIPTION.view(), label);
            tree_.rec.LEVEL = 2;
            tree_.rec.CONTROLEQUATE = control;
            tree_.rec.CONTROLEQUATESTRING = label;
            tree_.rec.GLOBALPROPERTY = "";
            tree_.rec.LOCALPROPERTY = "";
            tree_.rec.SPECIFICPROPERTY = marker(manager_.ConditionSetExists(0, controlGroup(label)) != 0);
            tree_.add(typeRow + 1);
        }
        control = styledWindow->nextField(control);
    } while (control != 0);
}

void RestyleEditor::pruneTree() {
    // A type's controls ask the property file what their type row asks.
    std::map<Long, bool> offered;
    const auto isOffered = [&](Long type) {
        const auto known = offered.find(type);
        return known != offered.end() ? known->second : (offered[type] = typeIsOffered(type));
    };
    for (std::size_t row = tree_.records(); row >= 1; --row) {
        tree_.get(row);
        CONTROLTREEQUEUERecord& r = tree_.rec;
        const bool unmarked = clip(r.GLOBALPROPERTY.view()).empty() && clip(r.LOCALPROPERTY.view()).empty() &&
                              clip(r.SPECIFICPROPERTY.view()).empty();
        if ((locals_.SHOWALLCONTROLTYPES != 1 && allControlTypes_ == 1 && !isOffered(r.CONTROLTYPEEQUATE)) ||
            (locals_.SHOWMODIFIEDCONTROLTYPESONLY == 1 && unmarked)) {
            tree_.remove();
            continue;
        }
        if (r.NUMBEROFCONTROLS > 0 && r.LEVEL == 1) {
            r.LEVEL = -1;
            tree_.put();
        }
        if (r.NUMBEROFCONTROLS == 0 && locals_.SHOWALLCONTROLTYPES == 0 && allControlTypes_ == 1) tree_.remove();
    }
}

// Whether the property file offers anything for the type.
bool RestyleEditor::typeIsOffered(Long controlType) {
    if (!manager_.PROPERTYFILE || !manager_.PROPERTYFILEPRIMARYKEY) return false;
    manager_.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(controlType);
    manager_.PROPERTYFILEPROPERTYFIELD.setText("");
    manager_.PROPERTYFILE->set(*manager_.PROPERTYFILEPRIMARYKEY, *manager_.PROPERTYFILEPRIMARYKEY);
    return manager_.PROPERTYFILE->next() && manager_.PROPERTYFILECONTROLTYPEEQUATEFIELD.number() == controlType;
}

void RestyleEditor::SelectControlTreeRow() {
    loadConditionSets();
    window_.setProperty(equate("?CONDITIONSETLIST"), PROP::Selected, 1);
    SelectConditionSet();
    FillPropertyList();
}

// A type row's sets follow the change-global switch; a control's are always
// this procedure's.
void RestyleEditor::loadConditionSets() {
    manager_.CONDITIONSETQUEUE.free();
    if (!treeRowChosen()) return;
    manager_.LoadConditionSets(1, 0, isTypeRow(tree_.rec) ? 1 : 0, groupOfTreeRow());
}

std::string RestyleEditor::groupOfTreeRow() const {
    return isTypeRow(tree_.rec) ? controlTypeGroup(tree_.rec.CONTROLTYPEEQUATE)
                                : controlGroup(clip(tree_.rec.CONTROLEQUATESTRING.view()));
}

// --- condition sets --------------------------------------------------------------------------------

void RestyleEditor::SelectConditionSet() {
    if (!conditionSetChosen()) {
        manager_.CONDITIONQUEUE.free();
        return;
    }
    const bool unconditional = clip(manager_.CONDITIONSETQUEUE.rec.CONDITIONALSET.view()) == kUnconditional;
    if (unconditional) selectTab("?PROPERTYTAB");
    window_.setProperty(equate("?CONDITIONTAB"), PROP::Disable, unconditional ? 1 : 0);
    manager_.LoadConditionQueue(manager_.CONDITIONSETQUEUE.rec.CONDITIONALSETID);
}

void RestyleEditor::startNaming(Edit action) {
    Queue<CONDITIONSETQUEUERecord>& sets = manager_.CONDITIONSETQUEUE;
    const Long list = equate("?CONDITIONSETLIST");
    const std::size_t current = highlighted("?CONDITIONSETLIST", sets);
    if (action == Edit::New) {
        sets.clear();
        sets.add(current + 1);
        window_.setProperty(list, PROP::Selected, static_cast<Long>(current + 1));
    } else {
        // "-Unconditional-" keeps its name, as it keeps itself on a delete.
        if (current == 0 || !sets.get(current) || clip(sets.rec.CONDITIONALSET.view()) == kUnconditional) return;
        window_.setProperty(list, PROP::Selected, static_cast<Long>(current));
    }
    editAction_ = action;
    window_.post({.event = EVENT::AlertKey, .field = list});
}

void RestyleEditor::takeAlertKey(Long field) {
    if (editAction_ == Edit::None) return;
    Queue<CONDITIONSETQUEUERecord>& sets = manager_.CONDITIONSETQUEUE;
    if (field == equate("?CONDITIONSETLIST")) {
        const std::size_t current = highlighted("?CONDITIONSETLIST", sets);
        if (current == 0 || !sets.get(current)) return;
        const std::vector<ListColumn> columns = parseListFormat(window_.property(field, PROP::Format));
        window_.setProperty(nameEditor_, PROP::Text, columns.front().picture);
        window_.use(nameEditor_, bind(sets.rec.CONDITIONALSET));
        window_.setProperty(field, PROP::Edit, nameEditor_);
        window_.select(nameEditor_);
        window_.setProperty(nameEditor_, PROP::SelStart, 1);
        window_.setProperty(nameEditor_, PROP::SelEnd, static_cast<Long>(clip(sets.rec.CONDITIONALSET.view()).size()));
    } else if (field == nameEditor_) {
        // The Accepted posted next carries no key: what it does depends on this one.
        escaped_ = window_.keyCode() == KEY::Esc;
        sets.rec.CONDITIONALSET = window_.property(nameEditor_, PROP::ScreenText);
        window_.post({.event = EVENT::Accepted, .field = nameEditor_});
    }
}

void RestyleEditor::endNaming() {
    if (editAction_ == Edit::None) return;
    if (!escaped_ && clip(manager_.CONDITIONSETQUEUE.rec.CONDITIONALSET.view()) != kUnconditional)
        StoreConditionSetName();
    editAction_ = Edit::None;
    escaped_ = false;
    // The hidden editor would otherwise write its text into the next row read.
    window_.use(nameEditor_, {});
    const Long list = equate("?CONDITIONSETLIST");
    window_.setProperty(list, PROP::Edit, 0);
    window_.select(list, window_.numberProperty(list, PROP::Selected));
}

void RestyleEditor::StoreConditionSetName() {
    KeyedFile& file = *manager_.CONDITIONSETFILE;
    const std::string name = clip(manager_.CONDITIONSETQUEUE.rec.CONDITIONALSET.view());
    Long setId = manager_.CONDITIONSETQUEUE.rec.CONDITIONALSETID;
    if (editAction_ == Edit::New) {
        setId = manager_.nextConditionSetId();
        const RecordRef record = file.record();
        clearRecord(*record.fields, record.buffer);
        manager_.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
        manager_.CONDITIONSETFILECONDITIONALSETFIELD.setText(name);
        manager_.CONDITIONSETFILEUSERNAMEFIELD.setText(manager_.USERNAME ? upper(clip(manager_.USERNAME->view())) : "");
        manager_.CONDITIONSETFILEPROFILEFIELD.setText(clip(manager_.CURRENTPROFILE.view()));
        const bool global = manager_.CHANGEGLOBALPROPERTIES == 1 && isTypeRow(tree_.rec);
        manager_.CONDITIONSETFILEPROCEDURENAMEFIELD.setText(global ? std::string(kGlobalSettings)
                                                                   : clip(manager_.PROCEDURENAME.view()));
        manager_.CONDITIONSETFILEGROUPNAMEFIELD.setText(groupOfTreeRow());
        if (!file.add()) return STOP(translated("Could not add the new condition set!|Error:") + ERROR() + "|" + FILEERROR());
    } else {
        manager_.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
        if (!file.get(*manager_.CONDITIONSETFILEPRIMARYKEY))
            return STOP(translated("Could not retrieve the condition set!|Error:") + ERROR() + "|" + FILEERROR());
        manager_.CONDITIONSETFILECONDITIONALSETFIELD.setText(name);
        if (!file.put())
            return STOP(translated("Could not change the new condition set!|Error:") + ERROR() + "|" + FILEERROR());
    }
    loadConditionSets();
    // The set just named stays chosen wherever its name sorts it.
    Queue<CONDITIONSETQUEUERecord>& sets = manager_.CONDITIONSETQUEUE;
    for (std::size_t row = 1; row <= sets.records(); ++row)
        if (sets.at(row).CONDITIONALSETID == setId)
            window_.setProperty(equate("?CONDITIONSETLIST"), PROP::Selected, static_cast<Long>(row));
    window_.post({.event = EVENT::NewSelection, .field = equate("?CONDITIONSETLIST")});
}

// Its conditions, then its stored rows, then the set itself.
void RestyleEditor::deleteConditionSet() {
    Queue<CONDITIONSETQUEUERecord>& sets = manager_.CONDITIONSETQUEUE;
    if (!conditionSetChosen() || clip(sets.rec.CONDITIONALSET.view()) == kUnconditional) return;
    const Long setId = sets.rec.CONDITIONALSETID;
    manager_.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
    if (manager_.CONDITIONSETFILE->get(*manager_.CONDITIONSETFILEPRIMARYKEY)) {
        for (manager_.walkConditions(setId);
             manager_.CONDITIONFILE->next() && manager_.CONDITIONFILECONDITIONALSETIDFIELD.number() == setId;
             manager_.walkConditions(setId))
            manager_.CONDITIONFILE->remove();
        for (manager_.walkSettings(setId);
             manager_.RESTYLEFILE->next() && manager_.RESTYLEFILECONDITIONALSETID.number() == setId;
             manager_.walkSettings(setId))
            manager_.RESTYLEFILE->remove();
        manager_.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
        if (manager_.CONDITIONSETFILE->get(*manager_.CONDITIONSETFILEPRIMARYKEY)) manager_.CONDITIONSETFILE->remove();
    }
    loadConditionSets();
    FillPropertyList();
}

// --- properties ------------------------------------------------------------------------------------

void RestyleEditor::FillPropertyList() {
    const Long list = equate("?ACTIVEPROPERTYLIST");
    window_.setProperty(list, PROP::Tip, "");
    const std::string kept = propertyChosen() ? clip(properties_.rec.PROPERTY.view()) : std::string();
    properties_.free();
    if (!treeRowChosen()) {
        window_.setProperty(list, PROP::Selected, 0);
        window_.setProperty(equate("?CONTROLTYPEPROPERTIESSHEET"), PROP::Disable, 1);
        window_.display();
        return;
    }
    const Long type = tree_.rec.CONTROLTYPEEQUATE;
    const Long setId = conditionSetChosen() ? manager_.CONDITIONSETQUEUE.rec.CONDITIONALSETID : 0;
    if (manager_.PROPERTYFILE && manager_.PROPERTYFILEPRIMARYKEY && typeIsOffered(type)) {
        do {
            if (manager_.PROPERTYFILEHIDEFROMENDUSER.number() != 0) continue;
            EDITORPROPERTIESRecord& row = properties_.rec;
            row.CONTROLTYPEEQUATE = type;
            row.PROPERTYEQUATE = static_cast<Long>(manager_.PROPERTYFILEPROPERTYEQUATEFIELD.number());
            row.PROPERTY = manager_.PROPERTYFILEPROPERTYFIELD.text();
            row.PROPERTYDESCRIPTION = manager_.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.text();
            row.PROPERTYENABLED = marker(manager_.IsPropertyEnabled(setId, propertyName(row.PROPERTYEQUATE)) != 0);
            properties_.add({{"PROPERTY"}});
        } while (manager_.PROPERTYFILE->next() && manager_.PROPERTYFILECONTROLTYPEEQUATEFIELD.number() == type);
    }
    const std::size_t current = highlighted("?CONTROLLIST", tree_);
    if (isTypeRow(tree_.rec)) {
        if (lastTypeRow_ != 0 && lastTypeRow_ != current && tree_.get(lastTypeRow_)) {
            tree_.rec.LEVEL = -std::abs(tree_.rec.LEVEL);
            tree_.put();
        }
        tree_.get(current);
        tree_.rec.LEVEL = std::abs(tree_.rec.LEVEL);
        tree_.put();
        lastTypeRow_ = current;
    }
    Long chosen = 1;
    for (std::size_t row = 1; row <= properties_.records(); ++row)
        if (!kept.empty() && clip(properties_.at(row).PROPERTY.view()) == kept) chosen = static_cast<Long>(row);
    window_.setProperty(list, PROP::Selected, chosen);
    LoadCurrentProperty();
    window_.setProperty(equate("?CONTROLTYPEPROPERTIESSHEET"), PROP::Disable, 0);
}

void RestyleEditor::LoadCurrentProperty() {
    locals_.PROPERTY = {};
    loadedSetId_ = loadedProperty_ = 0;
    const bool chosen = treeRowChosen() && propertyChosen();
    if (chosen) {
        showScopeControls();
        const Long property = properties_.rec.PROPERTYEQUATE;
        const Window* styledWindow = styled_.PROCEDUREWINDOW;
        if (!isTypeRow(tree_.rec) && property > 0 && styledWindow)
            locals_.PROPERTY.VALUE = styledWindow->property(tree_.rec.CONTROLEQUATE, property);
        if (conditionSetChosen() && manager_.CONDITIONSETQUEUE.rec.CONDITIONALSETID != 0) {
            loadedSetId_ = manager_.CONDITIONSETQUEUE.rec.CONDITIONALSETID;
            loadedProperty_ = property;
            manager_.LoadGroup(recordRef(locals_.PROPERTY), loadedSetId_, propertyName(property));
        }
    }
    window_.setProperty(equate("?CONTROLTYPEPROPERTIESSHEET"), PROP::Disable, chosen ? 0 : 1);
    undo_ = locals_.PROPERTY;
    enableEditing();
    window_.display();
}

void RestyleEditor::StoreCurrentProperty() {
    if (loadedSetId_ != 0 && loadedProperty_ != 0)
        manager_.SaveGroup(recordRef(locals_.PROPERTY), loadedSetId_, propertyName(loadedProperty_));
    window_.setProperty(equate("?PROPERTYSHEET"), PROP::Disable, locals_.PROPERTY.ENABLED == 0 ? 1 : 0);
    window_.setProperty(equate("?PROPERTYTAB"), PROP::Disable, locals_.PROPERTY.CLARIONVALUE == 1 ? 1 : 0);
    window_.setProperty(equate("?PROPERTYSHEET"), PROP::Selected, 1);
    window_.display();
}

// The editing controls follow the switch: off, nothing but the switch itself.
void RestyleEditor::enableEditing() {
    const Long off = locals_.PROPERTY.ENABLED == 0 ? 1 : 0;
    for (const char* control : {"?PROPERTYSHEET", "?PROPERTYCLARIONVALUE", "?CLARIONVALUEENTRY",
                                "?TESTCLARIONVALUEBUTTON"})
        window_.setProperty(equate(control), PROP::Disable, off);
}

void RestyleEditor::showScopeControls() {
    const bool typeRow = isTypeRow(tree_.rec);
    window_.setProperty(equate("?CHANGEGLOBALPROPERTIES"), PROP::Hide, typeRow ? 0 : 1);
    window_.setProperty(equate("?CHANGELOCALPROPERTYSTRING"), PROP::Hide, typeRow ? 1 : 0);
    window_.setProperty(equate("?PROCEDURENAME"), PROP::Disable,
                        typeRow && manager_.CHANGEGLOBALPROPERTIES == 1 ? 1 : 0);
}

void RestyleEditor::takeScope() {
    StoreCurrentProperty();
    const Long option = equate("?CHANGEGLOBALPROPERTIES");
    const Long choice = window_.numberProperty(option, PROP::Selected);
    if (choice == 1 || choice == 2) manager_.CHANGEGLOBALPROPERTIES = choice == 1 ? 1 : 0;
    const bool global = manager_.CHANGEGLOBALPROPERTIES == 1;
    window_.setProperty(option, PROP::Selected, global ? 1 : 2);
    window_.setProperty(equate("?PROCEDURENAME"), PROP::Disable, global ? 1 : 0);
    SelectControlTreeRow();
    window_.display();
}

// --- events ----------------------------------------------------------------------------------------

void RestyleEditor::takeEvent() {
    const Long field = window_.field();
    switch (window_.event()) {
        case EVENT::OpenWindow:
            window_.setProperty(equate("?CONDITIONSETLIST"), PROP::Selected, 1);
            window_.setProperty(equate("?CONTROLLIST"), PROP::Selected, 1);
            window_.post({.event = EVENT::NewSelection, .field = equate("?CONTROLLIST")});
            window_.post({.event = EVENT::NewSelection, .field = equate("?CONDITIONSETLIST")});
            window_.post({.event = EVENT::Accepted, .field = equate("?CHANGEGLOBALPROPERTIES")});
            break;
        case EVENT::CloseWindow: done_ = true; break;
        case EVENT::Expanded:
        case EVENT::Contracted:
            if (field == equate("?CONTROLLIST")) takeTreeToggle(window_.event() == EVENT::Expanded);
            break;
        case EVENT::AlertKey: takeAlertKey(field); break;
        case EVENT::NewSelection: takeNewSelection(field); break;
        case EVENT::Accepted:
            takeAccepted(field);
            if (field != equate("?OKBUTTON")) StoreCurrentProperty();
            break;
        default: break;
    }
}

void RestyleEditor::takeTreeToggle(bool open) {
    if (!tree_.get(static_cast<std::size_t>(window_.numberProperty(equate("?CONTROLLIST"), PROP::TreeRow)))) return;
    if (open && tree_.rec.NUMBEROFCONTROLS == 0) return;
    tree_.rec.LEVEL = open ? std::abs(tree_.rec.LEVEL) : -std::abs(tree_.rec.LEVEL);
    tree_.put();
}

void RestyleEditor::takeNewSelection(Long field) {
    if (field == equate("?CONTROLLIST")) {
        if (treeRowChosen()) SelectControlTreeRow();
    } else if (field == equate("?CONDITIONSETLIST")) {
        if (!conditionSetChosen()) return;
        selectTab("?CONDITIONTAB");
        SelectConditionSet();
        FillPropertyList();
    } else if (field == equate("?CONDITIONLIST")) {
        const std::size_t row = highlighted("?CONDITIONLIST", manager_.CONDITIONQUEUE);
        if (row != 0) manager_.CONDITIONQUEUE.get(row);
    } else if (field == equate("?ACTIVEPROPERTYLIST")) {
        if (!propertyChosen()) return;
        selectTab("?PROPERTYTAB");
        LoadCurrentProperty();
        window_.setProperty(equate("?ACTIVEPROPERTYLIST"), PROP::Tip, clip(properties_.rec.PROPERTYDESCRIPTION.view()));
    }
}

void RestyleEditor::takeAccepted(Long field) {
    if (field == equate("?INSERTCONDITIONSETBUTTON")) {
        startNaming(Edit::New);
    } else if (field == equate("?CHANGECONDITIONSETBUTTON")) {
        startNaming(Edit::Change);
    } else if (field == nameEditor_) {
        endNaming();
    } else if (field == equate("?DELETECONDITIONSETBUTTON")) {
        deleteConditionSet();
    } else if (field == equate("?SHOWALLCONTROLTYPES") || field == equate("?SHOWMODIFIEDCONTROLTYPESONLY")) {
        FillControlTree();
        SelectControlTreeRow();
    } else if (field == equate("?CHANGEGLOBALPROPERTIES")) {
        takeScope();
    } else if (field == equate("?PROPERTYENABLED") || field == equate("?CLARIONVALUEPROPERTYENABLED")) {
        enableEditing();
    } else if (field == equate("?PROPERTYCLARIONVALUE")) {
        window_.setProperty(equate("?PROPERTYTAB"), PROP::Disable, locals_.PROPERTY.CLARIONVALUE == 1 ? 1 : 0);
    } else if (field == equate("?UNDOPROPERTYCHANGEBUTTON")) {
        locals_.PROPERTY = undo_;
    } else if (field == equate("?CONFIGUREPROPERTIESBUTTON")) {
        manager_.ConfigureProperties(styled_);
        FillControlTree();
        SelectControlTreeRow();
        window_.display();
    } else if (field == equate("?OKBUTTON")) {
        done_ = true;
    }
}

// --- helpers ---------------------------------------------------------------------------------------

// Each reads the chosen row into its queue's buffer.
bool RestyleEditor::treeRowChosen() {
    const std::size_t row = highlighted("?CONTROLLIST", tree_);
    return row != 0 && tree_.get(row);
}

bool RestyleEditor::propertyChosen() {
    const std::size_t row = highlighted("?ACTIVEPROPERTYLIST", properties_);
    return row != 0 && properties_.get(row);
}

bool RestyleEditor::conditionSetChosen() {
    const std::size_t row = highlighted("?CONDITIONSETLIST", manager_.CONDITIONSETQUEUE);
    return row != 0 && manager_.CONDITIONSETQUEUE.get(row);
}

void RestyleEditor::selectTab(std::string_view tab) {
    const Long sheet = equate("?CONDITIONALSHEET");
    const Long page = tab == "?CONDITIONTAB" ? kConditionPage : kPropertyPage;
    if (window_.numberProperty(sheet, PROP::Selected) != page) window_.setProperty(sheet, PROP::Selected, page);
}

std::size_t RestyleEditor::highlighted(std::string_view list, const QueueBase& rows) const {
    const Long row = window_.numberProperty(equate(list), PROP::Selected);
    return row >= 1 && static_cast<std::size_t>(row) <= rows.records() ? static_cast<std::size_t>(row) : 0;
}

void ZelStylemanagerClass::ConfigureRestyle(ZelRestyleClass& caller, Long control, Byte allControlTypes) {
    RestyleEditor(*this, caller, control, allControlTypes).run();
}
