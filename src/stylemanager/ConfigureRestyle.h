// The restyle editor (ConfigureRestyle): a control type for the whole
// program or for this procedure, or one control, with the condition sets of
// that choice and the properties each set switches on. Every change is
// written to the restyle files at once; the close button ends the editing.
//
// The property being edited is the editor's own group, never the style
// manager's CONTROLPROPERTYGROUP, which every restyle object's GetProperty
// fills meanwhile. It is stored only under the set and property it was
// loaded for: nothing is stored under a set not yet named, nor under 0.
#pragma once

#include "platform/ui/Window.h"
#include "stylemanager/P23_CONFIGUREWINDOW.h"

#include <string>

class ZelRestyleClass;
class ZelStylemanagerClass;

class RestyleEditor {
public:
    RestyleEditor(ZelStylemanagerClass& manager, ZelRestyleClass& styled, platform::Long control,
                  platform::Byte allControlTypes);
    void run();

protected:
    void SetupEditorWindow();
    void FillControlTree();
    void SelectControlTreeRow();
    void SelectConditionSet();
    void FillPropertyList();
    void StoreConditionSetName();
    void LoadCurrentProperty();
    void StoreCurrentProperty();

private:
    enum class Edit : platform::Byte { None = 0, New = 1, Change = 2 };

    void open();
    void takeEvent();
    void takeAccepted(platform::Long field);
    void takeNewSelection(platform::Long field);
    void takeAlertKey(platform::Long field);
    void takeTreeToggle(bool open);
    void takeScope();
    void startNaming(Edit action);
    void endNaming();
    void deleteConditionSet();
    void loadConditionSets();
    void addTypeRows();
    void addControlRows();
    void pruneTree();
    bool typeIsOffered(platform::Long controlType);
    void showScopeControls();
    void enableEditing();
    bool treeRowChosen();
    bool propertyChosen();
    bool conditionSetChosen();
    std::string groupOfTreeRow() const;
    std::string labelled(std::string_view description, std::string_view label);
    std::string translated(std::string_view text);
    void selectTab(std::string_view tab);
    std::size_t highlighted(std::string_view list, const platform::QueueBase& rows) const;
    platform::Long equate(std::string_view label) const { return window_.equate(label); }

    ZelStylemanagerClass& manager_;
    ZelRestyleClass& styled_;
    platform::Long control_;
    platform::Byte allControlTypes_;
    ConfigureRestyleLocals locals_;
    platform::Queue<CONTROLTREEQUEUERecord>& tree_ = locals_.CONTROLTREEQUEUE;
    platform::Queue<EDITORPROPERTIESRecord>& properties_ = locals_.PROPERTIESQUEUE;
    platform::Window window_;
    platform::Long nameEditor_ = 0;
    Edit editAction_ = Edit::None;
    bool escaped_ = false;       // the name editor's last alert key was Esc
    std::size_t lastTypeRow_ = 0;
    PROPERTYSETTINGRecord undo_;
    // What the edited property was loaded for; 0 for nothing loaded.
    platform::Long loadedSetId_ = 0;
    platform::Long loadedProperty_ = 0;
    bool done_ = false;
};
