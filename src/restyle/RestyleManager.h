// The style manager as the restyle engine sees it: everything a window's
// restyle object reads of the program's one style manager, writes into it or
// asks of it. The engine owns this interface and the style manager
// (stylemanager/ZelStylemanagerClass.h) is its implementation, so the engine
// lies below the style manager and never includes it.
//
// It is an abstract class with data rather than operations alone, because
// the restyle system shares this state as fields: a restyle object's Init
// takes references to them, GetProperty leaves its value in
// CONTROLPROPERTYGROUP for its caller to read at once, and every object on
// every thread sees the same list of live objects. The fields are the style
// manager's; its Init puts them back to their first state and its set-up
// fills them.
//
// What a restyle object uses:
// - the data files: the condition-set, condition and restyle files with
//   their keys and fields as bound on the base class (Init binds the object
//   to the same ones), and the property file, which tells the properties a
//   control type offers;
// - the user (USERNAME, on the base class), the current profile and the
//   change-global switch, by reference;
// - the settings it reads: the property catalogue, the found value
//   (CONTROLPROPERTYGROUP), the configuration hot key and the program's
//   image list;
// - the application frame (its restyle object registers it) and its client
//   size, which the frame's object writes as it is resized;
// - registering and unregistering (the list of live objects), the message
//   box's two hooks, the rounding of a window's corners, the configuration
//   the hot key opens and the restyle editor the picker opens;
// - the translator, and the threads of the tree menu and of its menu-item
//   window, which the tree's thread writes.
//
// A later part of the engine that needs more of the style manager adds it
// here, where the engine's needs stay in one list.
//
// One object shared by every thread; nothing here waits but Configure.
#pragma once

#include "platform/abc/TranslatorClass.h"
#include "platform/data/AnyRef.h"
#include "platform/data/Queue.h"
#include "platform/text/Text.h"
#include "restyle/PropertyCatalogue.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleBaseClass.h"

#include <vector>

namespace platform {
class FileKey;
class KeyedFile;
class Window;
}  // namespace platform
class ZelRestyleClass;

// The style manager's data the restyle objects share, apart from its
// behaviour, so that its Init can put all of it back to its first state.
struct RestyleManagerFields {
    platform::Long APPLICATIONHANDLE = 0;
    platform::Window* APPLICATIONWINDOW = nullptr;
    platform::Short APPLICATIONCLIENTWIDTH = 0;
    platform::Short APPLICATIONCLIENTHEIGHT = 0;
    platform::Byte CHANGEGLOBALPROPERTIES = 0;  // 1: the editors work on "~Global settings"
    PropertyCatalogue CLARIONCONTROLPROPERTIESQUEUE;
    platform::Long CONFIGUREHOTKEY = 0;
    PROPERTYSETTINGRecord CONTROLPROPERTYGROUP;  // one setting, loaded and saved whole
    ControlTypeList CONTROLTYPESQUEUE;
    platform::CString<256> CURRENTPROFILE;
    platform::Queue<IMAGEQUEUERecord> IMAGEQUEUE;  // the program's background images
    platform::Byte MENUITEMWINDOW = 0;  // thread of the tree menu's open menu-item window; 0 for none
    platform::Byte MENUTREETHREAD = 0;  // thread of the running tree menu; 0 for none
    platform::KeyedFile* PROPERTYFILE = nullptr;
    platform::FileKey* PROPERTYFILEPRIMARYKEY = nullptr;
    platform::AnyRef PROPERTYFILECONTROLTYPEEQUATEFIELD;
    platform::AnyRef PROPERTYFILEPROPERTYEQUATEFIELD;
    platform::AnyRef PROPERTYFILEPROPERTYFIELD;
    platform::AnyRef PROPERTYFILEPROPERTYDESCRIPTIONFIELD;
    platform::AnyRef PROPERTYFILEHIDEFROMENDUSER;
    std::vector<ZelRestyleClass*> RESTYLECLASSLIST;  // the live per-window restyle objects
    platform::TranslatorClass TRANSLATOR;
    platform::Byte USECLARIONMESSAGEBOX = 0;  // 1: Message shows the layer's own box
    platform::Byte USEFADING = 0;
};

class RestyleManager : public ZelRestyleBaseClass, public RestyleManagerFields {
public:
    // The object's window opened (Open): it joins the list of live objects;
    // an application frame's object makes its window the frame.
    virtual void AddRestyleClass(ZelRestyleClass& object) = 0;
    // The object's Kill: it leaves the list.
    virtual void DeleteRestyleClass(ZelRestyleClass& object) = 0;
    // A pass over the style manager's message box ("~ZelRestyleMessage~"):
    // before it, to get the box's object ready; after it, a hook.
    virtual void PrepareMessageWindow(ZelRestyleClass& object) = 0;
    virtual void RestyleClassCreated(ZelRestyleClass& object) = 0;
    // Rounds the window's corners (nullptr: the target window) with a corner
    // ellipse of `roundness` pixels; 255 takes the region away.
    virtual void SetWindowRoundness(platform::Window* window, platform::Byte roundness) = 0;
    // The configuration hot key pressed on the caller's window.
    virtual void Configure(ZelRestyleClass& caller) = 0;
    // The restyle editor on one control of the object's window (`control`
    // 0 with `allControlTypes` 1: every control type of the window), on the
    // calling thread until the user closes it; it restyles nothing.
    virtual void ConfigureRestyle(ZelRestyleClass& object, platform::Long control, platform::Byte allControlTypes) = 0;
};
