#include "stylemanager/P23_CONFIGUREWINDOW.h"

#include "platform/ui/ControlLines.h"

using namespace platform;

namespace {

ControlSpec readOnly(std::string label, Binding use, Rect at) {
    ControlSpec spec = entry(std::move(label), "@s80", std::move(use), at);
    spec.readOnly = true;
    return spec;
}

ControlSpec radio(std::string label, std::string text, Rect at) {
    return {.type = CREATE::radio, .label = std::move(label), .text = std::move(text), .at = at};
}

// The tree: three narrow marker columns, each with its colour and tip, then
// the controls' descriptions under their types.
constexpr const char* kTreeFormat =
    "10C(2)E(,09FFFF3H,,)'Global property present'@s2@"
    "10C(2)E(,09BDAFFH,,)'Local property present'@s2@"
    "10C(2)E(,0A3B7FEH,,)'Specific property present'@s2@"
    "400L(2)T@s255@";

ControlSpec conditionalSheet(ConfigureRestyleLocals& l, Queue<CONDITIONQUEUERecord>& conditions) {
    ControlSpec clarionValue = entry("?CLARIONVALUEENTRY", "@s255", bind(l.PROPERTY.VALUE), {4, 34, 180, 12});
    return sheet("?CONDITIONALSHEET", {276, 150, 190, 136}, {
        tab("?CONDITIONTAB", "Conditie", {list("?CONDITIONLIST", conditions, "400L(2)@s255@", {4, 4, 180, 110})}),
        tab("?PROPERTYTAB", "Property", {
            check("?PROPERTYENABLED", " Change Property", l.PROPERTY.ENABLED, 4, 4),
            button("?UNDOPROPERTYCHANGEBUTTON", "Undo last changes", {4, 16, 180, 14}),
            sheet("?PROPERTYSHEET", {4, 34, 180, 80}, {
                tab("?TEXTTAB", "Text", {entry("?TEXTPROPERTYENTRY", "@s255", bind(l.PROPERTY.VALUE),
                                               {4, 4, 170, 12})})}),
        }),
        tab("?CLARIONPROPERTYTAB", "Property with Clarion value", {
            check("?CLARIONVALUEPROPERTYENABLED", " Change Property", l.PROPERTY.ENABLED, 4, 4),
            check("?PROPERTYCLARIONVALUE", " Change Clarion value", l.PROPERTY.CLARIONVALUE, 4, 18),
            clarionValue,
            button("?TESTCLARIONVALUEBUTTON", "&Test Clarion value", {4, 50, 180, 14}),
            text(CREATE::string, "?CLARIONVALUEHINT", "Use ?SELF for the current control", 4, 70),
        }),
    });
}

}  // namespace

WindowSpec P23_CONFIGUREWINDOW(ConfigureRestyleLocals& l, Queue<CONDITIONSETQUEUERecord>& conditionSets,
                               Queue<CONDITIONQUEUERecord>& conditions) {
    // The sheet spans the window, so its page's places are nearly the window's:
    // the single-control layout moves its controls where the tree stood.
    ControlSpec general = tab("?GENERALTAB", "General property", {
        text(CREATE::prompt, "?CONDITIONSETSPROMPT", "Conditional sets:", 160, 78),
        list("?CONDITIONSETLIST", conditionSets, "400L(2)@s64@", {160, 90, 120, 56}),
        button("?INSERTCONDITIONSETBUTTON", "&New", {286, 90, 46, 14}),
        button("?CHANGECONDITIONSETBUTTON", "&Change", {286, 106, 46, 14}),
        button("?DELETECONDITIONSETBUTTON", "&Delete", {286, 122, 46, 14}),
        list("?ACTIVEPROPERTYLIST", l.PROPERTIESQUEUE,
             "12C(2)E(0940FDH,0A3B7FEH,0A00000H,)@s2@#1#400L(2)@s64@#4#", {160, 150, 112, 100}),
        {.type = CREATE::text, .label = "?PROPERTIESQUEUE:PROPERTYDESCRIPTION", .at = {160, 254, 112, 32},
         .use = bind(l.PROPERTIESQUEUE.rec.PROPERTYDESCRIPTION), .readOnly = true},
        conditionalSheet(l, conditions),
    });
    ControlSpec scope{.type = CREATE::option, .label = "?CHANGEGLOBALPROPERTIES", .at = {4, 56, 300, 14},
                      .children = {radio("?CHANGEGLOBALPROPERTIES:RADIO1", "Change global property", {8, 58, 110, 10}),
                                   radio("?CHANGEGLOBALPROPERTIES:RADIO2", "Change properties of this procedure",
                                         {122, 58, 170, 10})}};
    ControlSpec tree = list("?CONTROLLIST", l.CONTROLTREEQUEUE, kTreeFormat, {4, 100, 150, 186});
    return {.label = "P23$CONFIGUREWINDOW", .title = "ZelRestyle", .icon = "~Zel.ico", .fontName = "ms sans serif",
            .at = {0, 0, 470, 312}, .center = true, .controls = {
                sheet("?CONTROLTYPEPROPERTIESSHEET", {0, 0, 470, 290}, {general}),
                button("?CONFIGURERESTYLEBUTTON", "Change &Restyle properties", {4, 4, 462, 20}, STD::None,
                       "~ZelAppearance.ico"),
                text(CREATE::string, "?USERSTRING", "User:", 6, 30),
                readOnly("?LOC:USER", bind(l.USER), {40, 28, 160, 12}),
                text(CREATE::string, "?PROFILESTRING", "Profile:", 210, 30),
                readOnly("?LOC:PROFILE", bind(l.PROFILE), {246, 28, 220, 12}),
                text(CREATE::string, "?CHANGELOCALPROPERTYSTRING", "Change local property of this procedure:", 6, 44),
                readOnly("?PROCEDURENAME", bind(l.DESCRIPTION), {150, 42, 316, 12}),
                scope,
                check("?SHOWALLCONTROLTYPES", " Show all controltypes", l.SHOWALLCONTROLTYPES, 4, 76),
                check("?SHOWMODIFIEDCONTROLTYPESONLY", " Show modified controltypes only",
                      l.SHOWMODIFIEDCONTROLTYPESONLY, 4, 88),
                tree,
                button("?CONFIGUREPROPERTIESBUTTON", "Property Configuration", {270, 292, 100, 18}, STD::None,
                       "~ZelProperties.ico"),
                button("?OKBUTTON", "&Close", {376, 292, 90, 18}, STD::None, "~ZelClose.ico"),
            }};
}
