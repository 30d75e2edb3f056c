// One background image inserted, changed or deleted (ConfigureImage), on
// the list of the images window. The window edits the list's own record:
// "OK" adds or writes it, "&Cancel" reads the row back.
#include "platform/message/Message.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ImagePreview.h"
#include "stylemanager/P41_CONFIGUREIMAGEWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

using namespace platform;

namespace {

constexpr const char* kHelpId = "~ZelRestyleConfigureImage";
constexpr Byte kInsert = 1, kChange = 2, kDelete = 3;

class ImageWindow {
public:
    ImageWindow(ZelStylemanagerClass& manager, ZelRestyleClass& caller, Byte action, Queue<IMAGEQUEUERecord>& images)
        : manager_(manager), caller_(caller), action_(action), images_(images) {}
    void run();

private:
    void open();
    void takeAccepted(Long field);
    void chooseFile();
    void fade(Byte in) { caller_.FadeWindow(window_, in, 0, 1, 0, 1, 0); }
    std::string translated(std::string_view text) { return manager_.TRANSLATOR.TranslateString(text); }
    Long equate(std::string_view label) const { return window_.equate(label); }

    ZelStylemanagerClass& manager_;
    ZelRestyleClass& caller_;
    const Byte action_;
    Queue<IMAGEQUEUERecord>& images_;
    Window window_{P41_CONFIGUREIMAGEWINDOW(images_.rec)};
    bool stored_ = false;
    bool done_ = false;
};

void ImageWindow::run() {
    open();
    while (!done_ && window_.accept())
        if (window_.event() == EVENT::Accepted) takeAccepted(window_.field());
    if (!stored_ && action_ == kChange) images_.get(images_.pointer());
    if (manager_.USEFADING == 1) fade(0);
    window_.close();
}

void ImageWindow::open() {
    window_.open();
    window_.setProperty(0, PROP::Buffer, 1);
    window_.setProperty(0, PROP::Hlp, kHelpId);
    const Long order = equate("?IMAGEQUEUE:IMAGEORDER");
    window_.setProperty(order, PROP::RangeLow, 0);
    window_.setProperty(order, PROP::RangeHigh, 255);
    window_.display();
    previewImage(window_, images_.rec);
    manager_.TRANSLATOR.TranslateWindow(window_);
    if (manager_.USEFADING == 1) fade(1);
}

void ImageWindow::takeAccepted(Long field) {
    if (field == equate("?IMAGEBUTTON")) {
        chooseFile();
    } else if (field == equate("?OKBUTTON")) {
        if (action_ == kInsert)
            images_.add();
        else
            images_.put();
        stored_ = done_ = true;
    } else if (field == equate("?CANCELBUTTON")) {
        done_ = true;
    } else {
        previewImage(window_, images_.rec);
    }
}

// A file chosen comes with its picture's own size.
void ImageWindow::chooseFile() {
    std::string file = images_.rec.IMAGEFILE.str();
    if (!FILEDIALOG(translated("Select a image file"), file,
                    translated("Image files|*.jpg;*.gif;*.bmp;*.wmf;*.pcx;*.ico"), FILE_KeepDir | FILE_LongName))
        return;
    const ImageSize natural = naturalImageSize(window_, file);
    images_.rec.WIDTH = static_cast<Short>(natural.width);
    images_.rec.HEIGHT = static_cast<Short>(natural.height);
    images_.rec.IMAGEFILE = file;
    window_.display();
    previewImage(window_, images_.rec);
}

}  // namespace

void ZelStylemanagerClass::ConfigureImage(ZelRestyleClass& caller, Byte action, Queue<IMAGEQUEUERecord>& images) {
    if (action == kInsert) {
        images.clear();
        images.rec.IMAGEORDER = static_cast<Byte>(((images.records() + 1) * 10) % 256);
        images.rec.STYLE = 1;
        images.rec.MOVEFROM = 1;
    } else if (images.rec.FIXED != 0) {
        return;
    }
    if (action == kDelete) {
        if (MESSAGE(translated("Do you want to delete this image?"), "", ICON_QUESTION,
                    std::to_string(BUTTON_YES + BUTTON_NO), BUTTON_YES) == BUTTON_YES)
            images.remove();
        return;
    }
    ImageWindow(*this, caller, action, images).run();
}
