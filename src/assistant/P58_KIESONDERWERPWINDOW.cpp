#include "assistant/P58_KIESONDERWERPWINDOW.h"

#include "platform/ui/ControlLines.h"

using namespace platform;

WindowSpec P58_KIESONDERWERPWINDOW(KiesOnderwerpLocals& locals) {
    ControlSpec help = button("?HELPBUTTON", "", {4, 124, 20, 16}, STD::None, "WinHelp2.ico");
    help.msg = "Zoek Help over het opgegeven onderwerp";
    ControlSpec ok = button("?OKBUTTON", "&OK", {84, 124, 46, 16});
    ok.isDefault = true;
    return {.label = "P58$KIESONDERWERPWINDOW",
            .title = " Kies een Onderwerp...",
            .at = {0, 0, 184, 144},
            .controls = {
                entry("?ZOEKONDERWERP", "@s80", bind(locals.ZOEKONDERWERP), {4, 4, 176, 12}),
                list("?ONDERWERPLIST", locals.AOQ, "200L(2)@s50@", {4, 20, 176, 100}),
                help,
                ok,
                button("?CANCELBUTTON", "&Annuleer", {134, 124, 46, 16}),
            }};
}
