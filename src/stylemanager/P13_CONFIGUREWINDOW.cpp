#include "stylemanager/P13_CONFIGUREWINDOW.h"

#include "platform/ui/ControlLines.h"

using namespace platform;

namespace {

constexpr const char* kCursor = "~GLOVE.CUR";

ControlSpec gloved(ControlSpec button) {
    button.cursor = kCursor;
    return button;
}

ControlSpec textBox(std::string label, Binding use, Rect at, bool readOnly) {
    return {.type = CREATE::text, .label = std::move(label), .at = at, .use = std::move(use), .readOnly = readOnly,
            .vscroll = true};
}

}  // namespace

WindowSpec P13_CONFIGUREWINDOW(ConfigurePropertiesLocals& l, ControlTypeList& controlTypes,
                               PropertyCatalogue& catalogue) {
    // The property leads, so a row's mark is ticked beside its name; the
    // two numbers follow, hidden.
    constexpr const char* kOfferedFormat = "116L(2)@s64@#3#0L(2)@n-14@#1#0L(2)@n-14@#2#";
    return {.label = "P13$CONFIGUREWINDOW",
            .title = "ZelRestyle",
            .fontName = "ms sans serif",
            .at = {0, 0, 400, 222},
            .center = true,
            .controls = {
                gloved(button("?CONFIGUREPROPERTIESBUTTON", "&Properties configuration", {4, 4, 392, 20}, STD::None,
                              "~ZelProperties.ico")),
                text(CREATE::prompt, "?PROPERTIESDESCRIPTIONPROMPT", "Available properties (double click to add):",
                     250, 28),
                list("?CONTROLTYPELIST", controlTypes, "86L(2)@s64@", {4, 38, 90, 150}),
                list("?ACTIVEPROPERTYLIST", l.OFFERED, kOfferedFormat, {98, 38, 120, 100}, "MARK"),
                list("?PROPERTYLIST", catalogue, "140L(2)@s64@", {250, 38, 146, 100}, "MARK"),
                gloved(button("?COPYALLBUTTON", "<<", {222, 44, 24, 14})),
                gloved(button("?COPYBUTTON", "", {222, 62, 24, 14}, STD::None, "~ArrowLeft.ico")),
                gloved(button("?DELETEBUTTON", "", {222, 80, 24, 14}, STD::None, "~ArrowRight.ico")),
                gloved(button("?DELETEALLBUTTON", ">>", {222, 98, 24, 14})),
                check("?HIDEFROMENDUSER", " &Hide this property from the end-user", l.HIDEFROMENDUSER, 98, 142),
                textBox("?SELF:CLARIONCONTROLPROPERTIESQUEUE:PROPERTYDESCRIPTION", bind(catalogue.rec.PROPERTYDESCRIPTION),
                        {250, 142, 146, 46}, true),
                text(CREATE::prompt, "?CONTROLTYPEDESCRIPTIONPROMPT", "Property description", 98, 156),
                textBox("?PROPERTYDESCRIPTION", bind(l.OFFERED.rec.PROPERTYDESCRIPTION), {98, 166, 120, 22}, false),
                gloved(button("?CLOSEBUTTON", "&Close", {346, 200, 50, 16}, STD::None, "~ZelClose.ico")),
            }};
}
