// The profiles window (ConfigureProfile): the user's profiles, one of them
// current; a new one is named in the edit mode, a deleted one goes with
// every set, condition and setting it holds.
#include "platform/data/Queue.h"
#include "platform/fiber/Clock.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"
#include "platform/message/Message.h"
#include "platform/program/Program.h"
#include "platform/system/Errors.h"
#include "platform/text/Format.h"
#include "platform/ui/Window.h"
#include "restyle/RestyleRows.h"
#include "restyle/UnavailableFiles.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/P18_CONFIGUREWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <vector>

using namespace platform;

#define PROFILEQUEUE_FIELDS(X) X(platform::String<255>, PROFILE)
struct PROFILEQUEUERecord {
    TABLOOM_RECORD(PROFILEQUEUERecord, "", PROFILEQUEUE_FIELDS)
};

namespace {

constexpr const char* kHelpId = "~ZelRestyleConfigureProfile";
constexpr const char* kWallpaper = "~ZelBackground.gif";
// An image setting is stored under "~" + profile + ":Image " + its number,
// in a 64-character key; 53 leaves room for image 999.
constexpr std::size_t kLongestProfileName = 53;

void clearFileRecord(const KeyedFile& file) { clearRecord(*file.record().fields, file.record().buffer); }

}  // namespace

// One opening of the profiles window.
class ProfilesWindow {
public:
    ProfilesWindow(ZelStylemanagerClass& manager, ZelRestyleClass& caller) : manager_(manager), caller_(caller) {}
    void run();

private:
    void open();
    void takeEvent();
    void takeAccepted(Long field);
    void fillList();
    // The list's row of that name highlighted, when it is listed.
    void highlight(std::string_view name);
    bool listed(std::string_view name, bool ignoringCase) const;
    std::string highlighted();
    void startEditing();
    void save();
    void endEditing(std::string_view handled);
    void showEditButtons(bool editing);
    void deleteProfile(const std::string& name);
    // Positions the sort key before the user's first set of the profile.
    void seekSets(std::string_view profile);
    // The sets of the user's profile of exactly that name, in key order.
    std::vector<Long> setsOf(std::string_view profile);
    // False at the first row that could not be deleted, after telling it.
    bool deleteSets(const std::vector<Long>& sets);
    bool deleteSet(Long setId);
    bool removeRow(KeyedFile& file);
    bool addMarker(std::string_view name);
    std::string tr(std::string_view text) { return manager_.TRANSLATOR.TranslateString(text); }
    std::string user() const { return upper(clip(manager_.USERNAME->view())); }
    std::string current() const { return clip(manager_.CURRENTPROFILE.view()); }
    Long equate(std::string_view label) const { return window_.equate(label); }

    ZelStylemanagerClass& manager_;
    ZelRestyleClass& caller_;
    Queue<PROFILEQUEUERecord> profiles_;
    CString<256> user_;
    CString<256> profile_;
    Window window_{P18_CONFIGUREWINDOW(profiles_, user_, profile_, manager_.PROCEDURENAME)};
    bool editing_ = false;
    bool done_ = false;
};

void ProfilesWindow::run() {
    user_ = manager_.USERNAME->view();
    profile_ = manager_.CURRENTPROFILE.view();
    manager_.PROCEDURENAME = caller_.PROCEDURENAME.view();
    open();
    while (!done_ && window_.accept()) takeEvent();
    if (manager_.USEFADING == 1) caller_.FadeWindow(window_, 0, 0, 1, 0, 1, 0);
    window_.close();
}

void ProfilesWindow::open() {
    window_.open();
    window_.setProperty(0, PROP::Hlp, kHelpId);
    window_.setProperty(0, PROP::WallPaper, kWallpaper);
    window_.alert(equate("?LOC:PROFILE"), KEY::Enter);
    window_.alert(equate("?LOC:PROFILE"), KEY::Esc);
    fillList();
    manager_.TRANSLATOR.TranslateWindow(window_);
    window_.display();
    if (manager_.USEFADING == 1) caller_.FadeWindow(window_, 1, 0, 1, 0, 1, 0);
}

void ProfilesWindow::takeEvent() {
    const Long field = window_.field();
    if (window_.event() == EVENT::AlertKey && field == equate("?LOC:PROFILE") && editing_) {
        POST(EVENT::Accepted, equate(window_.keyCode() == KEY::Enter ? "?SAVEBUTTON" : "?CANCELBUTTON"));
    } else if (window_.event() == EVENT::Accepted) {
        takeAccepted(field);
    }
}

void ProfilesWindow::takeAccepted(Long field) {
    if (field == equate("?NEWPROFILE")) {
        startEditing();
    } else if (field == equate("?SAVEBUTTON") && editing_) {
        save();
    } else if (field == equate("?CANCELBUTTON") && editing_) {
        endEditing(current());
    } else if (field == equate("?SELECTPROFILE")) {
        if (window_.numberProperty(equate("?PROFILELIST"), PROP::Selected) == 0) return;
        manager_.selectProfile(highlighted());
        done_ = true;
    } else if (field == equate("?DELETEPROFILE")) {
        if (window_.numberProperty(equate("?PROFILELIST"), PROP::Selected) != 0) deleteProfile(highlighted());
    } else if (field == equate("?CLOSEBUTTON")) {
        done_ = true;
    }
}

void ProfilesWindow::fillList() {
    profiles_.free();
    profiles_.rec.PROFILE = tr("DEFAULT");
    profiles_.add();
    const std::string sought = user();
    seekSets("");
    while (manager_.CONDITIONSETFILE->next() && upper(clip(manager_.CONDITIONSETFILEUSERNAMEFIELD.text())) == sought) {
        const std::string profile = clip(manager_.CONDITIONSETFILEPROFILEFIELD.text());
        if (profile.starts_with('~') || listed(profile, false)) continue;
        profiles_.rec.PROFILE = profile;
        profiles_.add();
    }
    profiles_.sort({{"PROFILE"}});
    highlight(current());
    profile_ = current();
    window_.display();
}

void ProfilesWindow::highlight(std::string_view name) {
    for (std::size_t row = 1; row <= profiles_.records(); ++row)
        if (clip(profiles_.at(row).PROFILE.view()) == name)
            return window_.setProperty(equate("?PROFILELIST"), PROP::Selected, static_cast<Long>(row));
}

bool ProfilesWindow::listed(std::string_view name, bool ignoringCase) const {
    const std::string sought = ignoringCase ? upper(name) : std::string(name);
    for (std::size_t row = 1; row <= profiles_.records(); ++row) {
        const std::string profile = clip(profiles_.at(row).PROFILE.view());
        if ((ignoringCase ? upper(profile) : profile) == sought) return true;
    }
    return false;
}

std::string ProfilesWindow::highlighted() {
    profiles_.get(static_cast<std::size_t>(window_.numberProperty(equate("?PROFILELIST"), PROP::Selected)));
    return clip(profiles_.rec.PROFILE.view());
}

void ProfilesWindow::startEditing() {
    editing_ = true;
    const Long entry = equate("?LOC:PROFILE");
    window_.setProperty(entry, PROP::ReadOnly, 0);
    showEditButtons(true);
    window_.select(entry);
    window_.setProperty(entry, PROP::SelStart, 1);
    window_.setProperty(entry, PROP::SelEnd, static_cast<Long>(profile_.size()));
}

// A name the files could not hold, or one the sort key would take for a
// listed one (it ignores case), is refused before anything is stored.
void ProfilesWindow::save() {
    window_.update(equate("?LOC:PROFILE"));
    const std::string name = clip(profile_.view());
    if (name.size() > kLongestProfileName)
        MESSAGE(tr("Profile name is too long!|Use at most 53 characters."));
    else if (listed(name, true))
        MESSAGE(tr("Profile name is already in use!|Choose an other name."));
    else if (addMarker(name))
        fillList();
    endEditing(name);
}

bool ProfilesWindow::addMarker(std::string_view name) {
    const Long setId = manager_.nextConditionSetId();
    const std::string marker =
        std::string(restyle::kNewAccountAdded) + FORMAT(TODAY(), "@D18") + " " + FORMAT(CLOCK(), "@T8");
    manager_.CONDITIONSETFILEUSERNAMEFIELD.setText(user());
    manager_.CONDITIONSETFILEPROFILEFIELD.setText(name);
    manager_.CONDITIONSETFILEPROCEDURENAMEFIELD.setText(restyle::kGlobalSettings);
    manager_.CONDITIONSETFILEGROUPNAMEFIELD.setText(marker);
    manager_.CONDITIONSETFILECONDITIONALSETFIELD.setText(marker);
    manager_.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
    if (manager_.CONDITIONSETFILE->add()) return true;
    STOP(ERROR());
    return false;
}

void ProfilesWindow::endEditing(std::string_view handled) {
    editing_ = false;
    highlight(handled);
    const Long entry = equate("?LOC:PROFILE");
    window_.change(entry, current());
    window_.setProperty(entry, PROP::ReadOnly, 1);
    showEditButtons(false);
    window_.display();
}

void ProfilesWindow::showEditButtons(bool editing) {
    for (const char* label : {"?BUTTONBOX", "?SAVEBUTTON", "?CANCELBUTTON"})
        window_.setProperty(equate(label), PROP::Hide, editing ? 0 : 1);
    for (const char* label : {"?SELECTPROFILE", "?NEWPROFILE", "?DELETEPROFILE", "?CLOSEBUTTON"})
        window_.setProperty(equate(label), PROP::Hide, editing ? 1 : 0);
}

void ProfilesWindow::deleteProfile(const std::string& name) {
    const std::string standard = tr("DEFAULT");
    if (name == standard) {
        MESSAGE(tr("You can't delete ") + standard + tr(" profile!"));
        return;
    }
    if (MESSAGE(tr("Are you sure you want to delete this profile?"), tr("Delete profile"), ICON_QUESTION,
                std::to_string(BUTTON_YES + BUTTON_NO)) != BUTTON_YES)
        return;
    if (deleteSets(setsOf(name)) && name == current()) manager_.selectProfile(standard);
    fillList();
}

void ProfilesWindow::seekSets(std::string_view profile) {
    clearFileRecord(*manager_.CONDITIONSETFILE);
    manager_.CONDITIONSETFILEUSERNAMEFIELD.setText(user());
    manager_.CONDITIONSETFILEPROFILEFIELD.setText(profile);
    manager_.CONDITIONSETFILE->set(*manager_.CONDITIONSETFILESORTKEY, *manager_.CONDITIONSETFILESORTKEY);
}

std::vector<Long> ProfilesWindow::setsOf(std::string_view profile) {
    const std::string sought = user();
    seekSets(profile);
    std::vector<Long> sets;
    // The key ignores case: profiles that differ only in case come mixed.
    while (manager_.CONDITIONSETFILE->next() && upper(clip(manager_.CONDITIONSETFILEUSERNAMEFIELD.text())) == sought &&
           upper(clip(manager_.CONDITIONSETFILEPROFILEFIELD.text())) == upper(profile))
        if (clip(manager_.CONDITIONSETFILEPROFILEFIELD.text()) == profile)
            sets.push_back(static_cast<Long>(manager_.CONDITIONSETFILECONDITIONALSETIDFIELD.number()));
    return sets;
}

bool ProfilesWindow::deleteSets(const std::vector<Long>& sets) {
    for (const Long setId : sets)
        if (!deleteSet(setId)) return false;
    return true;
}

bool ProfilesWindow::deleteSet(Long setId) {
    ZelStylemanagerClass& m = manager_;
    for (m.walkConditions(setId); m.CONDITIONFILE->next() && m.CONDITIONFILECONDITIONALSETIDFIELD.number() == setId;)
        if (!removeRow(*m.CONDITIONFILE)) return false;
    for (m.walkSettings(setId); m.RESTYLEFILE->next() && m.RESTYLEFILECONDITIONALSETID.number() == setId;)
        if (!removeRow(*m.RESTYLEFILE)) return false;
    clearFileRecord(*m.CONDITIONSETFILE);
    m.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
    return !m.CONDITIONSETFILE->get(*m.CONDITIONSETFILEPRIMARYKEY) || removeRow(*m.CONDITIONSETFILE);
}

// A file already reported this run is not reported again: the message then
// says no more than that the profile is not gone.
bool ProfilesWindow::removeRow(KeyedFile& file) {
    if (!restyle::isUnavailable(file) && file.remove()) return true;
    const std::string reason = restyle::markUnavailable(file) ? ERROR() : std::string();
    MESSAGE(tr("The profile could not be deleted completely!|") + reason);
    return false;
}

// The current-profile row is found by its key and written, or added under
// the next free number: the primary key is unique.
void ZelStylemanagerClass::selectProfile(std::string_view profile) {
    const auto setKey = [this] {
        CONDITIONSETFILEUSERNAMEFIELD.setText(restyle::kGlobalSettings);
        CONDITIONSETFILEPROFILEFIELD.setText(restyle::kGlobalSettings);
        CONDITIONSETFILEPROCEDURENAMEFIELD.setText(restyle::kGlobalSettings);
        CONDITIONSETFILEGROUPNAMEFIELD.setText(restyle::kCurrentSelectedProfile);
    };
    clearFileRecord(*CONDITIONSETFILE);
    setKey();
    CONDITIONSETFILE->set(*CONDITIONSETFILESORTKEY, *CONDITIONSETFILESORTKEY);
    if (CONDITIONSETFILE->next() && clip(CONDITIONSETFILEGROUPNAMEFIELD.text()) == restyle::kCurrentSelectedProfile) {
        CONDITIONSETFILECONDITIONALSETFIELD.setText(profile);
        CONDITIONSETFILE->put();
    } else {
        const Long setId = nextConditionSetId();
        setKey();
        CONDITIONSETFILECONDITIONALSETFIELD.setText(profile);
        CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
        CONDITIONSETFILE->add();
    }
    CURRENTPROFILE = profile;
}

void ZelStylemanagerClass::ConfigureProfile(ZelRestyleClass& caller) { ProfilesWindow(*this, caller).run(); }
