// The application-wide style manager: the one object of the restyle system
// that exists once per program. It opens and closes the four restyle data
// files, holds the property catalogue, the control types, the current
// profile and the program-wide settings, translates every text of the
// restyle system, and keeps the list of live per-window restyle objects.
//
// Life: Init before the program body (the translator reads
// "ZelRestyle.trn"), the binders, Setup (fills the catalogue, opens or
// re-creates the files, loads the settings), SaveSettings once the frame has
// closed, Kill at the end (writes the collected texts when there was no
// translations file, closes the files). Init after Kill starts afresh.
//
// Setup re-creates a file only when it is missing, is no keyed file, or
// changed its structure and the user agreed, and only after the old one was
// copied to NAME.bak (or there was nothing to copy); a file it may not
// touch so is left as it is, with a STOP.
//
// It is what the restyle engine asks of its style manager (RestyleManager.h):
// the restyle objects reach it through that interface alone.
//
// One object shared by every thread; none of its operations waits except
// for the questions Setup asks, Message, which waits for its box, and the
// configuration windows, which run on the caller's thread until they close.
// Of those windows Configure, ConfigureProfile, RestyleProgress,
// ConfigureProperties, ConfigureImages, ConfigureImage and ConfigureRestyle
// (each in its own file) are built yet: the wizard does nothing.
#pragma once

#include "platform/abc/TranslatorClass.h"
#include "restyle/PropertyCatalogue.h"
#include "restyle/RestyleManager.h"
#include "restyle/RestyleRows.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace platform {
class Window;
}
class StyledMessageBox;
class ZelRestyleClass;

#define RECT_FIELDS(X)        \
    X(platform::Long, LEFT)   \
    X(platform::Long, TOP)    \
    X(platform::Long, RIGHT)  \
    X(platform::Long, BOTTOM)
struct RECTRecord {
    TABLOOM_RECORD(RECTRecord, "", RECT_FIELDS)
};

// The style manager's own data, apart from its behaviour, so that Init can
// put all of it back to its first state; what the restyle objects share of
// it is RestyleManagerFields.
struct ZelStylemanagerFields {
    platform::Byte CONFIGURECONTROLMODE = 0;
    platform::Byte DEBUG = 0;
    RECTRecord DESKTOPRECT;
    platform::Long MESSAGEHOOK = 0;     // the hook in force before the program's own
    platform::Byte RESTYLEWIZARDSTEP = 0;
    platform::Byte RESTYLEWIZARDREQUESTACTION = 0;
    platform::Long RESTYLEWIZARDCONDITIONALSETID = 0;
    RECTRecord WINDOWRECT;
};

class ZelStylemanagerClass : public RestyleManager, public ZelStylemanagerFields {
public:
    virtual void Init();
    virtual void Kill();

    virtual void SetPropertyFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                 platform::AnyRef controlTypeEquate, platform::AnyRef propertyEquate,
                                 platform::AnyRef property, platform::AnyRef propertyDescription,
                                 platform::AnyRef hideFromEndUser);
    virtual void Setup(platform::Long hotKey);
    virtual void LoadGlobalSettings();
    virtual void LoadTranslations();
    virtual void SaveSettings();
    virtual void SaveUseFading();

    void AddRestyleClass(ZelRestyleClass& object) override;
    void DeleteRestyleClass(ZelRestyleClass& object) override;
    // A message box up is laid out again in the fonts the pass gave it.
    void RestyleClassCreated(ZelRestyleClass& object) override;
    // Gets the message box's restyle object ready: never maximized,
    // remembered or moved back on screen.
    void PrepareMessageWindow(ZelRestyleClass& object) override;
    // Binds the object under "~ZelRestyleMessage~" and opens it on the box.
    virtual void RestyleMessageWindow(platform::Window& window, ZelRestyleClass& object);
    // Rounds the window's corners (nullptr: the target window) with a corner
    // ellipse of `roundness` pixels: an application frame's whole window,
    // another window's inside its edge; 255 takes the region away.
    void SetWindowRoundness(platform::Window* window, platform::Byte roundness) override;
    // Posts event 502h + n to the running tree menu, if any.
    virtual void NotifyMenuTree(platform::Byte n);
    // The conditions of one set with their display texts, in CONDITIONALID
    // order; a property the catalogue lacks shows no name.
    virtual void LoadConditionQueue(platform::Long setId);
    virtual void AddImage(platform::Byte order, std::string_view file, platform::Short x, platform::Short y,
                          platform::Short width, platform::Byte widthInPercentage, platform::Short height,
                          platform::Byte heightInPercentage, platform::Byte style, platform::Byte moveFrom,
                          platform::Short shiftX, platform::Byte shiftXInPercentage, platform::Short shiftY,
                          platform::Byte shiftYInPercentage, platform::Byte fixed);

    // The configuration window over the caller's window, on its thread,
    // until it closes; one in the program at a time: a call while one is up
    // brings that one's topmost window forward and returns.
    void Configure(ZelRestyleClass& caller) override;
    // The properties offered per control type, maintained in the property
    // file directly; nothing happens while no property file is bound.
    virtual void ConfigureProperties(ZelRestyleClass& caller);
    // `action` 1 inserts, 2 changes the current row of `images`, 3 deletes it
    // (after asking); a FIXED row is neither changed nor deleted.
    virtual void ConfigureImage(ZelRestyleClass& caller, platform::Byte action,
                                platform::Queue<IMAGEQUEUERecord>& images);
    // The current profile's background images of the scope the change-global
    // switch names, stored after every change.
    virtual void ConfigureImages(ZelRestyleClass& caller);
    // The profiles window (ConfigureProfile.cpp).
    virtual void ConfigureProfile(ZelRestyleClass& caller);
    // `control` 0 with `allControlTypes` 1: the window's every control type.
    void ConfigureRestyle(ZelRestyleClass& caller, platform::Long control, platform::Byte allControlTypes) override;
    virtual void RestyleWizard(ZelRestyleClass& caller, platform::Long control) {}
    virtual void RestyleWizardStep2(ZelRestyleClass& caller, platform::Long control) {}
    virtual void RestyleWizardStep3(ZelRestyleClass& caller, platform::Long control) {}
    virtual void RestyleWizardStep4(ZelRestyleClass& caller, platform::Long control) {}
    virtual void RestyleWizardStep1(ZelRestyleClass& caller, platform::Long control) {}
    // Restyles every open window, with a progress window (RestyleProgress.cpp).
    virtual void RestyleProgress(ZelRestyleClass& caller);
    // MESSAGE's box (StyledMessageBox.h), or the layer's own while
    // USECLARIONMESSAGEBOX is 1; `style` reaches only the latter. The
    // three flags are unused.
    virtual platform::Long Message(const std::string& text, const std::string& caption, const std::string& icon,
                                   const std::string& buttons, platform::Long defaultButton, platform::Long style,
                                   platform::Byte flag1, platform::Byte flag2, platform::Byte flag3);

private:
    friend class StyledMessageBox;
    friend class ProfilesWindow;
    friend class RestyleEditor;
    std::string translated(std::string_view text) { return TRANSLATOR.TranslateString(text); }
    // The bound data files in the order they are opened.
    std::array<platform::KeyedFile*, 4> dataFiles() const;
    // Opens one data file, re-creating it where that is safe; one it cannot
    // open is left as it is, with a STOP.
    void openDataFile(platform::KeyedFile& file);
    // After a failed OPEN: true when the file may be replaced by an empty one
    // (asking first when its structure changed) and its old bytes are kept.
    bool mayRecreate(platform::KeyedFile& file, int openError);
    void loadCurrentProfile();
    // Makes the profile current, for this run and the next ones.
    void selectProfile(std::string_view profile);
    std::string catalogueName(platform::Long number);

    // The styled message boxes up, by their restyle objects.
    std::map<const ZelRestyleClass*, StyledMessageBox*> messageBoxes_;

    int configurationThread_ = 0;  // the thread the configuration runs on; 0 for none
};
