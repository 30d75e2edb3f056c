#include "assistant/P67_PLAYCONTROLWINDOW.h"

using namespace platform;

WindowSpec P67_PLAYCONTROLWINDOW(Queue<BUFFERAGENTEVENTRecord>& requests) {
    return {.label = "P67$PLAYCONTROLWINDOW",
            .title = "Playcontrol",
            .icon = "Genie.ico",
            .at = {10, 10, 200, 141},
            .toolbox = true,
            .controls = {
                {.type = CREATE::region, .label = "?REGION1", .at = {0, 0, 200, 141}},
                {.type = CREATE::button, .label = "?MOVETOOLBOX", .at = {2, 1, 14, 13},
                 .icon = "Move Toolbox.ico"},
                {.type = CREATE::button, .label = "?SHOWSTEPS", .at = {17, 1, 14, 13}},
                {.type = CREATE::button, .label = "?PAUZE", .at = {32, 1, 14, 13}, .icon = "Pauze.ico"},
                {.type = CREATE::list, .label = "?LIST1", .at = {2, 16, 196, 122}, .from = &requests,
                 .format = "0L(2)|M~Actie~@n6@28R(2)|M~X-pos~@n-7@28R(2)|M~Y-pos~@n-7@"
                           "28R(2)|M~Speed~@n-7@72L(2)|M~Tekst~@s255@40L(2)|M~Actie~@s20@",
                 .vscroll = true},
            }};
}
