#include "app/main/CatalogueConnection.h"

#include "app/main/Globals.h"
#include "platform/message/Message.h"

bool CatalogueConnection::check(bool mayTell) {
    usable_ = ODBCCatalog && ODBCCatalog->Connect();
    if (!usable_ && ODBCCatalog && mayTell && !told_) {
        told_ = true;
        // The box waits; another window may replace the catalogue object meanwhile.
        const std::string reason = ODBCCatalog->ConnectFailure();
        platform::MESSAGE(reason, "ODBC connection", platform::ICON_EXCLAMATION);
    }
    return usable_;
}

bool CatalogueConnection::usable() const { return usable_ && ODBCCatalog; }
