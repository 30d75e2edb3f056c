#include "stylemanager/ZelStylemanagerClass.h"

#include "platform/files/FileKey.h"
#include "platform/files/FileTransaction.h"
#include "platform/files/KeyedFile.h"
#include "platform/files/LineFile.h"
#include "platform/message/Locale.h"
#include "platform/message/Message.h"
#include "platform/program/Program.h"
#include "platform/system/Errors.h"
#include "platform/ui/DesktopRect.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "restyle/UnavailableFiles.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/CatalogueTables.h"
#include "stylemanager/StyledMessageBox.h"

#include <algorithm>

using platform::Byte;
using platform::clip;
using platform::Long;
using platform::Short;

namespace {

const std::string kTranslationsFile = "ZelRestyle.trn";
// A line of the translations file is read into a record this wide, and a
// text or translation in it is cut to this many characters.
constexpr std::size_t kTranslationsLineWidth = 1024;
constexpr std::size_t kMostTranslationText = 512;
// The event NotifyMenuTree posts with n added.
constexpr Long kMenuTreeNotification = 0x502;


// The text of a line of the translations file: characters 21 to L - 2, L
// the length without trailing blanks (a short line gives what there is from
// 21 on), cut and clipped.
std::string translationText(std::string_view line) {
    constexpr std::size_t kTextStart = 20;
    constexpr std::size_t kClosingQuote = 2;  // "')"
    const std::string clipped = clip(line);
    const std::size_t length =
        clipped.size() >= kTextStart + kClosingQuote ? clipped.size() - kClosingQuote - kTextStart : clipped.npos;
    const std::string_view text = std::string_view(clipped).substr(std::min(kTextStart, clipped.size()), length);
    return clip(text.substr(0, kMostTranslationText));
}

bool beginsPair(const std::string& line) { return !line.empty() && line.front() == ' '; }

}  // namespace

// --- life ------------------------------------------------------------------------

std::array<platform::KeyedFile*, 4> ZelStylemanagerClass::dataFiles() const {
    return {PROPERTYFILE, CONDITIONSETFILE, CONDITIONFILE, RESTYLEFILE};
}

void ZelStylemanagerClass::Init() {
    static_cast<ZelRestyleBaseClass&>(*this) = ZelRestyleBaseClass{};
    static_cast<RestyleManagerFields&>(*this) = RestyleManagerFields{};
    static_cast<ZelStylemanagerFields&>(*this) = ZelStylemanagerFields{};
    restyle::forgetUnavailableFiles();
    TRANSLATOR.Init();
    TRANSLATOR.ExtractText = kTranslationsFile;
    LoadTranslations();
    PROCEDURENAME = translated("<Unknown>");
    REFCHANGEGLOBALPROPERTIES = &CHANGEGLOBALPROPERTIES;
    REFCURRENTPROFILE = CURRENTPROFILE;
}

void ZelStylemanagerClass::Kill() {
    TRANSLATOR.Kill();
    // A configuration window may have left its transaction open.
    platform::COMMIT();
    for (platform::KeyedFile* file : dataFiles())
        if (file && file->opened()) file->close();
    restyle::forgetUnavailableFiles();
    CLARIONCONTROLPROPERTIESQUEUE.free();
    CONTROLTYPESQUEUE.free();
    IMAGEQUEUE.free();
    RESTYLECLASSLIST.clear();
    CONDITIONSETQUEUE.free();
    CONDITIONQUEUE.free();
}

void ZelStylemanagerClass::LoadTranslations() {
    platform::LineFile file(kTranslationsFile, kTranslationsLineWidth);
    // Only read: a file the user may not write is still used.
    if (!file.open(platform::kReadOnly)) return;
    file.set();
    bool read = false;
    while (file.next()) {
        read = true;
        if (!beginsPair(file.line())) continue;
        const std::string text = translationText(file.line());
        if (!file.next()) break;
        const std::string translation = translationText(file.line());
        // An empty text is no text to translate.
        if (!text.empty() && !translation.empty()) TRANSLATOR.AddTranslation(text, translation);
    }
    file.close();
    // An empty file is none: the texts are collected into it again.
    if (read) TRANSLATOR.ExtractText = "";
}

// --- set-up ----------------------------------------------------------------------

void ZelStylemanagerClass::SetPropertyFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                           platform::AnyRef controlTypeEquate, platform::AnyRef propertyEquate,
                                           platform::AnyRef property, platform::AnyRef propertyDescription,
                                           platform::AnyRef hideFromEndUser) {
    PROPERTYFILE = &file;
    PROPERTYFILEPRIMARYKEY = &primaryKey;
    PROPERTYFILECONTROLTYPEEQUATEFIELD = controlTypeEquate;
    PROPERTYFILEPROPERTYEQUATEFIELD = propertyEquate;
    PROPERTYFILEPROPERTYFIELD = property;
    PROPERTYFILEPROPERTYDESCRIPTIONFIELD = propertyDescription;
    PROPERTYFILEHIDEFROMENDUSER = hideFromEndUser;
}

void ZelStylemanagerClass::Setup(Long hotKey) {
    fillPropertyCatalogue(CLARIONCONTROLPROPERTIESQUEUE, TRANSLATOR);
    CURRENTPROFILE = translated("DEFAULT");
    CONFIGUREHOTKEY = hotKey;
    const platform::ScreenRect desktop = platform::desktopRect();
    DESKTOPRECT.LEFT = desktop.left;
    DESKTOPRECT.TOP = desktop.top;
    DESKTOPRECT.RIGHT = desktop.right;
    DESKTOPRECT.BOTTOM = desktop.bottom;
    fillControlTypes(CONTROLTYPESQUEUE);
    // The styled box needs the data files: until they are open, the
    // platform's box asks.
    const Byte usedClarionMessageBox = USECLARIONMESSAGEBOX;
    USECLARIONMESSAGEBOX = 1;
    for (platform::KeyedFile* file : dataFiles()) openDataFile(*file);
    USECLARIONMESSAGEBOX = usedClarionMessageBox;
    platform::SYSTEM(platform::PROP::Buffer, "1");
    LoadGlobalSettings();
}

// Told once, at opening; the file is then read where it can be and written
// no more this run.
void ZelStylemanagerClass::openDataFile(platform::KeyedFile& file) {
    if (file.open(platform::kReadWriteDenyNone)) return;
    if (mayRecreate(file, platform::ERRORCODE()) && file.create() && file.open(platform::kReadWriteDenyNone))
        return;
    restyle::markUnavailable(file);
    platform::STOP(translated("ZelStylemanagerClass: The file ") + clip(file.name()) +
                   translated(" can not be opend! ") + platform::ERROR() + "|" +
                   translated("The settings of this run are not stored."));
    file.open(platform::kReadOnly);
}

bool ZelStylemanagerClass::mayRecreate(platform::KeyedFile& file, int openError) {
    const std::string name = clip(file.name());
    if (openError == platform::kInvalidRecordDeclaration &&
        platform::MESSAGE(translated("The file structure of ") + name +
                              translated(" has changed|new file has to be created...|Continue?"),
                          "ZelRestyle", platform::ICON_ASTERISK,
                          std::to_string(platform::BUTTON_YES + platform::BUTTON_NO)) != platform::BUTTON_YES)
        platform::HALT(0);
    // A file held locked, or one the program may not read, is someone's data.
    if (openError != platform::kFileNotFound && openError != platform::kInvalidDataFile &&
        openError != platform::kInvalidRecordDeclaration)
        return false;
    return file.copy(name + ".bak") || platform::ERRORCODE() == platform::kFileNotFound;
}

// --- settings ------------------------------------------------------------------------

void ZelStylemanagerClass::LoadGlobalSettings() {
    CHANGEGLOBALPROPERTIES = 1;
    loadCurrentProfile();
    USEFADING = LoadGroup(platform::recordRef(CONTROLPROPERTYGROUP), restyle::kFadingSet, restyle::kUseFading) &&
                        CONTROLPROPERTYGROUP.ENABLED != 0
                    ? static_cast<Byte>(platform::leadingNumber(CONTROLPROPERTYGROUP.VALUE.view()))
                    : 1;
    std::string captions;
    for (std::string_view caption : kStandardButtonCaptions)
        captions += (captions.empty() ? "" : ",") + translated(caption);
    platform::LOCALE("CLABUTTON", captions);
}

void ZelStylemanagerClass::loadCurrentProfile() {
    platform::clearRecord(*CONDITIONSETFILE->record().fields, CONDITIONSETFILE->record().buffer);
    CONDITIONSETFILEUSERNAMEFIELD.setText(restyle::kGlobalSettings);
    CONDITIONSETFILEPROFILEFIELD.setText(restyle::kGlobalSettings);
    CONDITIONSETFILEPROCEDURENAMEFIELD.setText(restyle::kGlobalSettings);
    CONDITIONSETFILEGROUPNAMEFIELD.setText(restyle::kCurrentSelectedProfile);
    CONDITIONSETFILECONDITIONALSETFIELD.setText("");
    CONDITIONSETFILE->set(*CONDITIONSETFILESORTKEY, *CONDITIONSETFILESORTKEY);
    if (CONDITIONSETFILE->next() && clip(CONDITIONSETFILEGROUPNAMEFIELD.text()) == restyle::kCurrentSelectedProfile)
        CURRENTPROFILE = clip(CONDITIONSETFILECONDITIONALSETFIELD.text());
}

void ZelStylemanagerClass::SaveSettings() { SaveUseFading(); }

void ZelStylemanagerClass::SaveUseFading() {
    CONTROLPROPERTYGROUP.ENABLED = 1;
    CONTROLPROPERTYGROUP.VALUE = platform::numberText(USEFADING);
    SaveGroup(platform::recordRef(CONTROLPROPERTYGROUP), restyle::kFadingSet, restyle::kUseFading);
}

// --- restyle objects -------------------------------------------------------------------

void ZelStylemanagerClass::AddRestyleClass(ZelRestyleClass& object) {
    RESTYLECLASSLIST.push_back(&object);
    if (object.PROCEDUREWINDOW && object.PROCEDUREWINDOW->isApplication()) {
        APPLICATIONHANDLE = object.PROCEDUREHANDLE;
        APPLICATIONWINDOW = object.PROCEDUREWINDOW;
    }
}

// Once the frame's object has gone, no window is checked against the frame.
void ZelStylemanagerClass::DeleteRestyleClass(ZelRestyleClass& object) {
    const auto first = std::find(RESTYLECLASSLIST.begin(), RESTYLECLASSLIST.end(), &object);
    if (first == RESTYLECLASSLIST.end()) return;
    RESTYLECLASSLIST.erase(first);
    if (object.PROCEDUREWINDOW && object.PROCEDUREWINDOW == APPLICATIONWINDOW) {
        APPLICATIONHANDLE = 0;
        APPLICATIONWINDOW = nullptr;
    }
}

void ZelStylemanagerClass::RestyleClassCreated(ZelRestyleClass& object) {
    if (const auto box = messageBoxes_.find(&object); box != messageBoxes_.end()) box->second->relayOut();
}

void ZelStylemanagerClass::PrepareMessageWindow(ZelRestyleClass& object) {
    object.AUTOMAXIMIZE = 0;
    object.WINDOWSAVEPOSITION = 0;
    object.WINDOWCHECKPOSITION = 0;
    object.AddControl("Zelora Messagebox Window", "Zelora Messagebox Window", 0);
}

void ZelStylemanagerClass::RestyleMessageWindow(platform::Window& window, ZelRestyleClass& object) {
    object.Init(std::string(restyle::kMessageProcedure), *this);
    object.Open(window, 1);
}

void ZelStylemanagerClass::SetWindowRoundness(platform::Window* window, Byte roundness) {
    const platform::Window* w = window ? window : platform::TARGET();
    if (!w) return;
    const Long handle = w->handle();
    platform::RECT shown;
    if (!platform::GetWindowRect(handle, shown)) return;
    WINDOWRECT.LEFT = shown.left;
    WINDOWRECT.TOP = shown.top;
    WINDOWRECT.RIGHT = shown.right;
    WINDOWRECT.BOTTOM = shown.bottom;
    if (roundness == 255) {
        platform::SetWindowRgn(handle, std::nullopt, true);
        return;
    }
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    const int edgeX = w->isApplication() ? 0 : platform::GetSystemMetrics(platform::SM_CXEDGE);
    const int edgeY = w->isApplication() ? 0 : platform::GetSystemMetrics(platform::SM_CYEDGE);
    platform::SetWindowRgn(
        handle, platform::Region::roundRectangle(edgeX, edgeY, width - edgeX, height - edgeY, roundness, roundness),
        true);
}

void ZelStylemanagerClass::NotifyMenuTree(Byte n) {
    if (MENUTREETHREAD != 0) platform::POST(kMenuTreeNotification + n, 0, MENUTREETHREAD);
}

// --- conditions and images -----------------------------------------------------------------

std::string ZelStylemanagerClass::catalogueName(Long number) {
    CLARIONCONTROLPROPERTIESQUEUE.rec.PROPERTYEQUATE = number;
    return CLARIONCONTROLPROPERTIESQUEUE.get({{"PROPERTYEQUATE"}}) ? CLARIONCONTROLPROPERTIESQUEUE.rec.PROPERTY.str()
                                                                   : std::string();
}

void ZelStylemanagerClass::LoadConditionQueue(Long setId) {
    CONDITIONQUEUE.free();
    CONDITIONQUEUE.clear();
    walkConditions(setId);
    while (CONDITIONFILE->next() && CONDITIONFILECONDITIONALSETIDFIELD.number() == setId) {
        CONDITIONQUEUERecord& row = CONDITIONQUEUE.rec;
        row.CONDITIONALID = static_cast<Long>(CONDITIONFILECONDITIONALIDFIELD.number());
        row.CONTROL = CONDITIONFILECONTROLFIELD.text();
        row.PROPERTYEQUATE = static_cast<Long>(CONDITIONFILEPROPERTYEQUATEFIELD.number());
        row.OPERATOR = CONDITIONFILEOPERATORFIELD.text();
        row.VALUE = CONDITIONFILEVALUEFIELD.text();
        row.MANUALVALUE = static_cast<Byte>(CONDITIONFILEMANUALVALUEFIELD.number());
        row.PROPERTY = catalogueName(row.PROPERTYEQUATE);
        // A connective ("AND", "OR") has no property.
        row.CONDITION = row.PROPERTYEQUATE == 0
                            ? clip(row.OPERATOR.view())
                            : clip(row.CONTROL.view()) + "{Prop:" + clip(row.PROPERTY.view()) + "} " +
                                  clip(row.OPERATOR.view()) + " " + CONDITIONFILEVALUEFIELD.text();
        CONDITIONQUEUE.add();
    }
}

void ZelStylemanagerClass::AddImage(Byte order, std::string_view file, Short x, Short y, Short width,
                                    Byte widthInPercentage, Short height, Byte heightInPercentage, Byte style,
                                    Byte moveFrom, Short shiftX, Byte shiftXInPercentage, Short shiftY,
                                    Byte shiftYInPercentage, Byte fixed) {
    IMAGEQUEUE.clear();
    IMAGEQUEUERecord& image = IMAGEQUEUE.rec;
    image.IMAGEORDER = order;
    image.IMAGEFILE = file;
    image.XPOS = x;
    image.YPOS = y;
    image.WIDTH = width;
    image.WIDTHINPERCENTAGE = widthInPercentage;
    image.HEIGHT = height;
    image.HEIGHTINPERCENTAGE = heightInPercentage;
    image.STYLE = style;
    image.MOVEFROM = moveFrom;
    image.SHIFTXPOS = shiftX;
    image.SHIFTXINPERCENTAGE = shiftXInPercentage;
    image.SHIFTYPOS = shiftY;
    image.SHIFTYINPERCENTAGE = shiftYInPercentage;
    image.FIXED = fixed;
    IMAGEQUEUE.add({{"IMAGEFILE"}});
}

// --- messages ----------------------------------------------------------------------------

platform::Long ZelStylemanagerClass::Message(const std::string& text, const std::string& caption,
                                             const std::string& icon, const std::string& buttons,
                                             platform::Long defaultButton, platform::Long style, platform::Byte,
                                             platform::Byte, platform::Byte) {
    ZelRestyleClass restyle;
    // A MESSAGE while the box is up goes to the hook in force before the
    // program's, so never to a second styled box; put back on every road.
    struct HookSwap {
        Long saved = platform::messageHookValue();
        ~HookSwap() { platform::setMessageHookValue(saved); }
    } swap;
    platform::setMessageHookValue(MESSAGEHOOK);
    if (USECLARIONMESSAGEBOX == 1) return platform::MESSAGE(text, caption, icon, buttons, defaultButton, style);
    platform::Window window(P44_MSGWIN());
    return StyledMessageBox(*this, window, restyle).Run(text, caption, icon, buttons, defaultButton);
}
