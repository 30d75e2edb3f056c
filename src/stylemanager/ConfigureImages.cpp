// The images window (ConfigureImages): the background images of the
// current profile, for the whole program or for the procedure configured.
// The list is stored after every change, in the "~Images~" set of the scope
// the change-global switch names; those writes are the configuration's
// transaction's.
#include "platform/data/RecordRef.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ImagePreview.h"
#include "stylemanager/P36_CONFIGUREWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

using namespace platform;

namespace {

constexpr const char* kHelpId = "~ZelRestyleConfigureImages";
constexpr std::size_t kComparedFields = 10;  // order to positioning: what makes two rows the same image
constexpr Byte kGlobalScope = 1, kProcedureScope = 2;

class ImagesWindow {
public:
    ImagesWindow(ZelStylemanagerClass& manager, ZelRestyleClass& caller) : manager_(manager), caller_(caller) {}
    void run();

private:
    void open();
    void takeAccepted(Long field);
    void takeScope();
    void edit(Byte action);
    void moveHighlight(int by);
    void showHighlighted();

    void load();
    void save();
    bool listed();
    void enableSheet();
    Long imagesSet() { return manager_.GetConditionSetID(0, 1, restyle::kImagesGroup); }
    std::string profile() const { return clip(manager_.CURRENTPROFILE.view()); }
    std::size_t highlighted() const;
    void fade(Byte in) { caller_.FadeWindow(window_, in, 0, 1, 0, 1, 0); }
    Long equate(std::string_view label) const { return window_.equate(label); }

    ZelStylemanagerClass& manager_;
    ZelRestyleClass& caller_;
    ConfigureImagesLocals locals_;
    IMAGEPROPERTYGROUPRecord& group_ = locals_.IMAGEPROPERTYGROUP;
    Queue<IMAGEQUEUERecord>& images_ = locals_.IMAGES;
    Window window_{P36_CONFIGUREWINDOW(locals_, manager_.PROCEDURENAME)};
    bool done_ = false;
};

void ImagesWindow::run() {
    open();
    while (!done_ && window_.accept()) {
        if (window_.event() == EVENT::Accepted) takeAccepted(window_.field());
        if (window_.event() == EVENT::NewSelection && window_.field() == equate("?IMAGELIST")) showHighlighted();
    }
    if (manager_.USEFADING == 1) fade(0);
    window_.close();
}

void ImagesWindow::open() {
    window_.open();
    window_.setProperty(0, PROP::Buffer, 1);
    window_.setProperty(0, PROP::Hlp, kHelpId);
    window_.setProperty(equate("?IMAGEPROPERTIESSHEET"), PROP::Wizard, 1);
    if (manager_.USERNAME) locals_.USER = manager_.USERNAME->view();
    locals_.PROFILE = profile();
    manager_.PROCEDURENAME = caller_.PROCEDURENAME;
    load();
    manager_.TRANSLATOR.TranslateWindow(window_);
    if (manager_.USEFADING == 1) fade(1);
    // The option shows the scope the list was loaded from, so its Accepted
    // stores the list where it came from.
    locals_.SCOPE = manager_.CHANGEGLOBALPROPERTIES == 1 ? kGlobalScope : kProcedureScope;
    window_.display();
    window_.setProperty(equate("?IMAGELIST"), PROP::Selected, 1);
    window_.post({.event = EVENT::NewSelection, .field = equate("?IMAGELIST")});
    window_.post({.event = EVENT::Accepted, .field = equate("?CHANGEGLOBALPROPERTIES")});
}

void ImagesWindow::takeAccepted(Long field) {
    if (field == equate("?CHANGEGLOBALPROPERTIES")) {
        takeScope();
    } else if (field == equate("?INSERTIMAGEBUTTON")) {
        edit(1);
    } else if (field == equate("?CHANGEIMAGEBUTTON")) {
        edit(2);
    } else if (field == equate("?DELETEIMAGEBUTTON")) {
        edit(3);
    } else if (field == equate("?IMAGEUP")) {
        moveHighlight(-1);
    } else if (field == equate("?IMAGEDOWN")) {
        moveHighlight(1);
    } else if (field == equate("?OKBUTTON")) {
        done_ = true;
    } else {
        save();
    }
}

// The list shown is stored under the scope it was shown for, then under the
// scope chosen.
void ImagesWindow::takeScope() {
    save();
    const bool global = locals_.SCOPE == kGlobalScope;
    manager_.CHANGEGLOBALPROPERTIES = global ? 1 : 0;
    locals_.SCOPE = global ? kGlobalScope : kProcedureScope;
    window_.setProperty(equate("?PROCEDURENAME"), PROP::Disable, global ? 1 : 0);
    window_.display();
    save();
}

// A FIXED row is neither changed nor deleted.
void ImagesWindow::edit(Byte action) {
    if (action != 1) {
        const std::size_t row = highlighted();
        if (row == 0 || !images_.get(row) || images_.rec.FIXED != 0) return;
    }
    manager_.ConfigureImage(caller_, action, images_);
    save();
    showHighlighted();
}

// The highlight moves one row, not past either end; no order changes.
void ImagesWindow::moveHighlight(int by) {
    const std::size_t row = highlighted();
    if (row == 0 || (by < 0 && row == 1) || (by > 0 && row == images_.records())) return;
    window_.setProperty(equate("?IMAGELIST"), PROP::Selected, static_cast<Long>(row) + by);
    save();
    showHighlighted();
}

void ImagesWindow::showHighlighted() {
    if (const std::size_t row = highlighted(); row != 0 && images_.get(row))
        previewImage(window_, images_.rec);
    else
        window_.setProperty(equate("?IMAGE"), PROP::Text, "");
    window_.display();
}

// The stored rows in IMAGEORDER order, or the program's default images
// while none are stored.
void ImagesWindow::load() {
    group_ = {};
    const Long set = imagesSet();
    manager_.LoadGroup(recordRef(group_), set, restyle::imagesProperty(profile()));
    enableSheet();
    images_.free();
    if (group_.NUMBEROFIMAGES == 0) {
        for (std::size_t i = 1; i <= manager_.IMAGEQUEUE.records(); ++i) {
            images_.rec = manager_.IMAGEQUEUE.at(i);
            images_.add();
        }
    } else {
        for (Long n = 1; n <= group_.NUMBEROFIMAGES; ++n) {
            images_.clear();
            if (manager_.LoadQueue(images_, set, restyle::imageProperty(profile(), n)) && !listed())
                images_.add({{"IMAGEORDER"}});
        }
    }
    if (group_.CHANGEIMAGESETTINGS == 1) {
        group_.NUMBEROFIMAGES = static_cast<Byte>(images_.records());
        manager_.SaveGroup(recordRef(group_), set, restyle::imagesProperty(profile()));
    }
}

// Rows stored earlier beyond the list's end stay, unread.
void ImagesWindow::save() {
    const Long set = imagesSet();
    group_.NUMBEROFIMAGES = static_cast<Byte>(images_.records());
    manager_.SaveGroup(recordRef(group_), set, restyle::imagesProperty(profile()));
    enableSheet();
    for (std::size_t n = 1; n <= images_.records(); ++n) {
        images_.get(n);
        manager_.SaveQueue(images_, set, restyle::imageProperty(profile(), static_cast<Long>(n)));
    }
}

// The buffer's image is in the list already.
bool ImagesWindow::listed() {
    for (std::size_t row = 1; row <= images_.records(); ++row) {
        bool same = true;
        for (std::size_t f = 1; same && f <= kComparedFields; ++f)
            same = images_.rowText(row, f) == images_.field(f).text();
        if (same) return true;
    }
    return false;
}

void ImagesWindow::enableSheet() {
    window_.setProperty(equate("?IMAGEPROPERTIESSHEET"), PROP::Disable, group_.CHANGEIMAGESETTINGS == 1 ? 0 : 1);
}

std::size_t ImagesWindow::highlighted() const {
    const Long row = window_.numberProperty(equate("?IMAGELIST"), PROP::Selected);
    return row >= 1 && static_cast<std::size_t>(row) <= images_.records() ? static_cast<std::size_t>(row) : 0;
}

}  // namespace

void ZelStylemanagerClass::ConfigureImages(ZelRestyleClass& caller) { ImagesWindow(*this, caller).run(); }
