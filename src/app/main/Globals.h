// The program's global data: one instance each for the whole process, shared
// by every thread (the runtime's lock serialises them).
#pragma once

#include "app/odbccatalog/ODBCCatalogClass.h"
#include "assistant/AssistantClass.h"
#include "platform/abc/ErrorClass.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Text.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleFile.h"
#include "splash/ZelSplashClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <string>

namespace Glo {
inline platform::CString<513> ConnectString;
inline platform::CString<255> OwnerFilter;
inline platform::String<255> TXDFilename;
inline platform::Byte ExternalNames = 0;
inline platform::Byte TablesOnly = 1;
inline platform::CString<80> Driver;
inline platform::Byte NoRelations = 1;
inline platform::Byte SystemTables = 0;
// The query window's statement: any length, never cut.
inline std::string Query;
inline platform::String<255> UserName;
// Windows' full-contents dragging as read at start.
inline platform::Long SavedDragFullWindows = 0;
}  // namespace Glo

inline platform::Byte GlobalRequest = 0;
inline platform::Byte GlobalResponse = 0;
inline platform::Long VCRRequest = 0;
// The one catalogue object: made by the connection window, replaced at every
// connect, disposed at shut-down and, should a window connect after that, at
// the program's end.
inline ODBCCatalogClass* ODBCCatalog = nullptr;
// How the connected data source wants names and text values written; plain
// rules without a connection.
SqlIdentifierRules currentIdentifierRules();
SqlStringLiterals currentStringLiterals();

// The restyle data files, in the current folder; the style manager opens
// and closes them.
inline ZelPropertiesFile ZELPROPERTIESFILE;
inline ZelConditionSetFile ZELCONDITIONSETFILE;
inline ZelConditionFile ZELCONDITIONFILE;
inline ZelRestyleFile ZELRESTYLEFILE;

inline ZelStylemanagerClass StyleManager;
inline AssistantClass Assistant;
inline ZelSplashClass Splash;
inline platform::ErrorClass GlobalErrors;
inline platform::INIClass INIMgr;

// The program INI file the INI manager is opened on.
inline const std::string kProgramIniFile = "obdctabloom.INI";

// Puts every global back to its initial value (start of a program run).
void resetGlobalVariables();
