// The properties window (ConfigureProperties): which catalogue properties
// each control type offers, under which description, and which of them are
// hidden from the end user. It writes the property file at once, row by
// row; that file is no part of the configuration's transaction.
#include "platform/files/KeyedFile.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/P13_CONFIGUREWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

using namespace platform;

namespace {

constexpr const char* kHelpId = "~ZelRestyleConfigureProperties";

class PropertiesWindow {
public:
    PropertiesWindow(ZelStylemanagerClass& manager, ZelRestyleClass& caller) : manager_(manager), caller_(caller) {}
    void run();

private:
    void open();
    void takeEvent();
    void takeAccepted(Long field);
    void takeNewSelection(Long field);

    void fillOffered();
    void showOffered();
    void addProperty(Long controlType);
    void addFromCatalogue(bool all);
    void removeOffered(bool all);
    void storeHideFlag();
    void storeDescription();

    Long chosenType();
    std::size_t highlighted(std::string_view list, const QueueBase& rows) const;
    std::size_t highlightedType() const { return highlighted("?CONTROLTYPELIST", manager_.CONTROLTYPESQUEUE); }
    std::size_t highlightedOffered() const { return highlighted("?ACTIVEPROPERTYLIST", offered_); }
    std::size_t highlightedCatalogue() const { return highlighted("?PROPERTYLIST", catalogue_); }
    void clearFileRecord();
    void fade(Byte in) { caller_.FadeWindow(window_, in, 0, 1, 0, 1, 0); }
    Long equate(std::string_view label) const { return window_.equate(label); }

    ZelStylemanagerClass& manager_;
    ZelRestyleClass& caller_;
    KeyedFile& file_ = *manager_.PROPERTYFILE;
    PropertyCatalogue& catalogue_ = manager_.CLARIONCONTROLPROPERTIESQUEUE;
    ConfigurePropertiesLocals locals_;
    Queue<OFFEREDPROPERTYRecord>& offered_ = locals_.OFFERED;
    Window window_{P13_CONFIGUREWINDOW(locals_, manager_.CONTROLTYPESQUEUE, catalogue_)};
    bool done_ = false;
};

void PropertiesWindow::run() {
    open();
    while (!done_ && window_.accept()) takeEvent();
    if (manager_.USEFADING == 1) fade(0);
    window_.close();
}

void PropertiesWindow::open() {
    window_.open();
    window_.setProperty(0, PROP::Buffer, 1);
    window_.setProperty(0, PROP::Hlp, kHelpId);
    for (std::size_t row = 1; row <= catalogue_.records(); ++row) {
        catalogue_.get(row);
        catalogue_.rec.MARK = 0;
        catalogue_.put();
    }
    window_.alert(equate("?PROPERTYLIST"), KEY::MouseLeft2);
    manager_.TRANSLATOR.TranslateWindow(window_);
    window_.setProperty(equate("?CONTROLTYPELIST"), PROP::Selected, 1);
    if (manager_.USEFADING == 1) fade(1);
    for (const char* list : {"?CONTROLTYPELIST", "?ACTIVEPROPERTYLIST", "?PROPERTYLIST"})
        window_.post({.event = EVENT::NewSelection, .field = equate(list)});
}

void PropertiesWindow::takeEvent() {
    const Long field = window_.field();
    switch (window_.event()) {
        case EVENT::Accepted: takeAccepted(field); break;
        case EVENT::NewSelection: takeNewSelection(field); break;
        case EVENT::AlertKey:
            if (field == equate("?PROPERTYLIST") && window_.keyCode() == KEY::MouseLeft2 && chosenType() != 0 &&
                highlightedCatalogue() != 0) {
                catalogue_.get(highlightedCatalogue());
                catalogue_.rec.MARK = 0;
                catalogue_.put();
                addProperty(chosenType());
                fillOffered();
            }
            break;
        default: break;
    }
}

void PropertiesWindow::takeAccepted(Long field) {
    if (field == equate("?COPYBUTTON")) {
        if (chosenType() != 0 && highlightedCatalogue() != 0) addFromCatalogue(false);
    } else if (field == equate("?COPYALLBUTTON")) {
        if (chosenType() != 0) addFromCatalogue(true);
    } else if (field == equate("?DELETEBUTTON")) {
        if (highlightedOffered() != 0) removeOffered(false);
    } else if (field == equate("?DELETEALLBUTTON")) {
        removeOffered(true);
    } else if (field == equate("?HIDEFROMENDUSER")) {
        if (highlightedOffered() != 0) storeHideFlag();
    } else if (field == equate("?PROPERTYDESCRIPTION")) {
        if (highlightedOffered() != 0) storeDescription();
    } else if (field == equate("?CLOSEBUTTON")) {
        done_ = true;
    }
}

void PropertiesWindow::takeNewSelection(Long field) {
    if (field == equate("?CONTROLTYPELIST")) {
        fillOffered();
    } else if (field == equate("?ACTIVEPROPERTYLIST")) {
        showOffered();
    } else if (field == equate("?PROPERTYLIST")) {
        if (const std::size_t row = highlightedCatalogue()) catalogue_.get(row);
        window_.display();
    }
}

// The file's rows of the chosen type in key order, each with its POSITION.
void PropertiesWindow::fillOffered() {
    offered_.free();
    const Long type = chosenType();
    if (type == 0) return;
    manager_.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(type);
    manager_.PROPERTYFILEPROPERTYFIELD.setText("");
    file_.set(*manager_.PROPERTYFILEPRIMARYKEY, *manager_.PROPERTYFILEPRIMARYKEY);
    while (file_.next() && manager_.PROPERTYFILECONTROLTYPEEQUATEFIELD.number() == type) {
        OFFEREDPROPERTYRecord& row = offered_.rec;
        row.CONTROLTYPEEQUATE = type;
        row.PROPERTYEQUATE = static_cast<Long>(manager_.PROPERTYFILEPROPERTYEQUATEFIELD.number());
        row.PROPERTY = manager_.PROPERTYFILEPROPERTYFIELD.text();
        row.PROPERTYDESCRIPTION = manager_.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.text();
        row.HIDEFROMENDUSER = static_cast<Byte>(manager_.PROPERTYFILEHIDEFROMENDUSER.number());
        row.POSITION = file_.position();
        row.MARK = 0;
        offered_.add();
    }
    showOffered();
}

// The highlighted offered row's description and hide flag on screen.
void PropertiesWindow::showOffered() {
    if (const std::size_t row = highlightedOffered(); row != 0 && offered_.get(row))
        locals_.HIDEFROMENDUSER = offered_.rec.HIDEFROMENDUSER;
    else
        offered_.clear();
    window_.display();
}

// A pair the file holds already is refused by its key, and nothing is said.
void PropertiesWindow::addProperty(Long controlType) {
    clearFileRecord();
    manager_.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(controlType);
    manager_.PROPERTYFILEPROPERTYEQUATEFIELD.setNumber(catalogue_.rec.PROPERTYEQUATE);
    manager_.PROPERTYFILEPROPERTYFIELD.setText(catalogue_.rec.PROPERTY.str());
    manager_.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.setText(catalogue_.rec.PROPERTYDESCRIPTION.str());
    file_.add();
}

// Every row, or the marked ones; without a mark the highlighted row.
void PropertiesWindow::addFromCatalogue(bool all) {
    const Long type = chosenType();
    const std::size_t current = highlightedCatalogue();
    bool added = false;
    for (std::size_t row = 1; row <= catalogue_.records(); ++row) {
        catalogue_.get(row);
        if (!all && catalogue_.rec.MARK == 0) continue;
        catalogue_.rec.MARK = 0;
        catalogue_.put();
        addProperty(type);
        added = true;
    }
    if (!added && catalogue_.get(current)) addProperty(type);
    if (current != 0) catalogue_.get(current);
    fillOffered();
}

// Each row is read again by its POSITION; one no longer there is skipped.
void PropertiesWindow::removeOffered(bool all) {
    for (std::size_t row = 1; row <= offered_.records(); ++row) {
        offered_.get(row);
        if (!all && offered_.rec.MARK == 0) continue;
        offered_.rec.MARK = 0;
        offered_.put();
        if (file_.reget(clip(offered_.rec.POSITION.view()))) file_.remove();
    }
    fillOffered();
}

void PropertiesWindow::storeHideFlag() {
    offered_.get(highlightedOffered());
    if (!file_.reget(clip(offered_.rec.POSITION.view()))) return;
    manager_.PROPERTYFILEHIDEFROMENDUSER.setNumber(locals_.HIDEFROMENDUSER);
    if (!file_.put()) return;
    offered_.rec.HIDEFROMENDUSER = locals_.HIDEFROMENDUSER;
    offered_.put();
}

// An empty description is refused: the old one comes back, with a beep.
void PropertiesWindow::storeDescription() {
    const std::string description = clip(offered_.rec.PROPERTYDESCRIPTION.view());
    offered_.get(highlightedOffered());
    if (description.empty()) {
        window_.select(equate("?PROPERTYDESCRIPTION"));
        window_.display();
        BEEP();
        return;
    }
    if (!file_.reget(clip(offered_.rec.POSITION.view()))) return;
    manager_.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.setText(description);
    if (!file_.put()) return;
    offered_.rec.PROPERTYDESCRIPTION = description;
    offered_.put();
}

// The control type highlighted, 0 for none.
Long PropertiesWindow::chosenType() {
    ControlTypeList& types = manager_.CONTROLTYPESQUEUE;
    const std::size_t row = highlightedType();
    return row != 0 && types.get(row) ? types.rec.CONTROLTYPEEQUATE : 0;
}

// The list's highlighted row, 0 when it highlights none of its rows.
std::size_t PropertiesWindow::highlighted(std::string_view list, const QueueBase& rows) const {
    const Long row = window_.numberProperty(equate(list), PROP::Selected);
    return row >= 1 && static_cast<std::size_t>(row) <= rows.records() ? static_cast<std::size_t>(row) : 0;
}

void PropertiesWindow::clearFileRecord() {
    const RecordRef record = file_.record();
    clearRecord(*record.fields, record.buffer);
}

}  // namespace

void ZelStylemanagerClass::ConfigureProperties(ZelRestyleClass& caller) {
    if (PROPERTYFILE && PROPERTYFILEPRIMARYKEY) PropertiesWindow(*this, caller).run();
}
