#include "assistant/P51_ONDERWERPWINDOW.h"

#include "platform/ui/ControlLines.h"

using namespace platform;

WindowSpec P51_ONDERWERPWINDOW(OnderwerpLocals& locals) {
    ControlSpec save = button("?OKBUTTON", "&Opslaan", {116, 42, 50, 14});
    save.isDefault = true;
    ControlSpec procedure = entry("?PROCEDURENAME", "@s80", bind(locals.PROCEDURENAME), {56, 6, 164, 12});
    procedure.readOnly = true;
    return {.label = "P51$ONDERWERPWINDOW",
            .title = "Voeg een Onderwerp toe",
            .at = {0, 0, 226, 62},
            .center = true,
            .controls = {
                text(CREATE::prompt, "", "Procedure:", 6, 8),
                procedure,
                text(CREATE::prompt, "", "Onderwerp:", 6, 24),
                entry("?AGENTSTAP:ONDERWERP", "@s50", bind(locals.ONDERWERP), {56, 22, 164, 12}),
                save,
                button("?CANCELBUTTON", "&Annuleer", {170, 42, 50, 14}),
            }};
}
