#include "stylemanager/P18_CONFIGUREWINDOW.h"

using namespace platform;

namespace {

constexpr int kNameWidth = 50, kValueLeft = 58, kValueWidth = 158, kRowHeight = 14;
constexpr int kButtonsTop = 172, kButtonWidth = 50, kButtonHeight = 16;

ControlSpec box(std::string label, Rect at) { return {.type = CREATE::box, .label = std::move(label), .at = at}; }

// One labelled row, controls `first` to `first` + 3: the name in its box,
// then the value in its own; the boxes are labelled by their numbers.
std::vector<ControlSpec> row(int top, int first, std::string nameLabel, std::string name, std::string valueLabel,
                             Binding value) {
    return {box("?BOX" + std::to_string(first), {4, top, kNameWidth, kRowHeight}),
            {.type = CREATE::string, .label = std::move(nameLabel), .text = std::move(name),
             .at = {8, top + 3, kNameWidth - 8, 10}},
            {.type = CREATE::entry, .label = std::move(valueLabel), .at = {kValueLeft + 2, top + 1, kValueWidth - 4, 12},
             .use = std::move(value), .readOnly = true},
            box("?BOX" + std::to_string(first + 3), {kValueLeft, top, kValueWidth, kRowHeight})};
}

ControlSpec button(std::string label, std::string text, int place, std::string icon = {}, bool hidden = false) {
    return {.type = CREATE::button, .label = std::move(label), .text = std::move(text),
            .at = {4 + place * (kButtonWidth + 4), kButtonsTop, kButtonWidth, kButtonHeight}, .icon = std::move(icon),
            .hidden = hidden};
}

}  // namespace

WindowSpec P18_CONFIGUREWINDOW(QueueBase& profiles, CString<256>& user, CString<256>& profile,
                               CString<81>& procedureName) {
    std::vector<ControlSpec> controls = {{.type = CREATE::button, .label = "?CONFIGUREPROFILEBUTTON",
                                          .text = "&Profile configuration", .at = {4, 4, 212, 20},
                                          .icon = "~ZelProfiles.ico"}};
    const auto append = [&controls](const std::vector<ControlSpec>& specs) {
        controls.insert(controls.end(), specs.begin(), specs.end());
    };
    append(row(28, 2, "?USERSTRING", "User:", "?LOC:USER", bind(user)));
    append(row(46, 6, "?PROFILESTRING", "Profile:", "?LOC:PROFILE", bind(profile)));
    controls.push_back({.type = CREATE::box, .label = "?BUTTONBOX",
                        .at = {kButtonWidth + 4, kButtonsTop - 3, 2 * kButtonWidth + 8, kButtonHeight + 6},
                        .hidden = true});
    append(row(64, 11, "?PROCEDURESTRING", "Procedure:", "?PROCEDURENAME", bind(procedureName)));
    const std::vector<ControlSpec> rest = {
        {.type = CREATE::list, .label = "?PROFILELIST", .at = {4, 82, 212, 84}, .from = &profiles,
         .format = "1020L(2)|M~Profile~@s255@", .vscroll = true},
        button("?SAVEBUTTON", "&Save", 1, {}, true),
        button("?CANCELBUTTON", "C&ancel", 2, {}, true),
        button("?SELECTPROFILE", "Se&lect", 0, "~ZelOk.ico"),
        button("?NEWPROFILE", "&New", 1, "~ZelNew.ico"),
        button("?DELETEPROFILE", "&Delete", 2, "~ZelDelete.ico"),
        button("?CLOSEBUTTON", "&Close", 3, "~ZelClose.ico"),
    };
    append(rest);
    return {.label = "P18$CONFIGUREWINDOW", .title = "ZelRestyle", .icon = "~Zel.ico", .at = {0, 0, 220, 192},
            .noPosition = true, .controls = std::move(controls)};
}
