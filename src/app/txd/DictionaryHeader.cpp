#include "app/txd/DictionaryHeader.h"

#include <array>
#include <string_view>

namespace {

// Field types start in column 28, RECORD and its END in column 26, the file's
// END under FILE in column 24.
constexpr std::array<std::string_view, 39> kHeaderLines = {
    "  [DICTIONARY]",
    "VERSION '1.0'",
    "CREATED '26 SEP 2002' '10:31:14AM'",
    "MODIFIED '26 SEP 2002' '11:33:17AM'",
    "",
    "[FILES]",
    "GlobalVariables        FILE,DRIVER('TOPSPEED'),PRE(GLO),CREATE,THREAD",
    "!!> IDENT(1),USAGE(Global)",
    "Record                   RECORD",
    "[SCREENCONTROLS]",
    "! PROMPT('Connectstring:'),USE(?GLO:Connectstring:Prompt)",
    "! ENTRY(@s100),USE(GLO:Connectstring)",
    "[REPORTCONTROLS]",
    "! STRING(@s100),USE(GLO:Connectstring)",
    "Connectstring              STRING(100)",
    "!!> IDENT(2),PROMPT('Connectstring:'),HEADER('Connectstring'),PICTURE(@s100)",
    "[SCREENCONTROLS]",
    "! PROMPT('Driver Options:'),USE(?GLO:DriverOptions:Prompt)",
    "! TEXT,USE(GLO:DriverOptions)",
    "[REPORTCONTROLS]",
    "! TEXT,USE(GLO:DriverOptions)",
    "DriverOptions              CSTRING(256)",
    "!!> IDENT(3),PROMPT('Driver Options:'),HEADER('Driver Options'),PICTURE(@s255)",
    "[SCREENCONTROLS]",
    "! PROMPT('Username:'),USE(?GLO:Username:Prompt)",
    "! ENTRY(@s80),USE(GLO:Username)",
    "[REPORTCONTROLS]",
    "! STRING(@s80),USE(GLO:Username)",
    "Username                   CSTRING(81)",
    "!!> IDENT(4),PROMPT('Username:'),HEADER('Username'),PICTURE(@s80)",
    "[SCREENCONTROLS]",
    "! PROMPT('Owner:'),USE(?GLO:Owner:Prompt)",
    "! ENTRY(@s80),USE(GLO:Owner)",
    "[REPORTCONTROLS]",
    "! STRING(@s80),USE(GLO:Owner)",
    "Owner                      CSTRING(81)",
    "!!> IDENT(5),PROMPT('Owner:'),HEADER('Owner'),PICTURE(@s80)",
    "                         END",
    "                       END",
};

}  // namespace

void WriteDictionaryHeader(TxdOutput& output) {
    for (std::string_view line : kHeaderLines) output.line(line);
}
