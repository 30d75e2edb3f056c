#include "app/main/CatalogueConnection.h"

#include "app/main/Globals.h"
#include "platform/message/Message.h"

namespace {

// The box waits; another window may replace the catalogue object meanwhile,
// so what it says is taken before.
void tell(const std::string& text, const char* caption) { platform::MESSAGE(text, caption, platform::ICON_EXCLAMATION); }

}  // namespace

bool CatalogueConnection::check(bool mayTell) {
    usable_ = ODBCCatalog && ODBCCatalog->Connect();
    if (usable_) {
        told_ = false;
    } else if (ODBCCatalog && mayTell && !told_) {
        told_ = true;
        tell(ODBCCatalog->ConnectFailure(), "ODBC connection");
    }
    return usable_;
}

bool CatalogueConnection::tablesRead(bool mayTell) {
    if (!ODBCCatalog) return usable_ = false;
    const ODBCCatalogClass::TableListRead read = ODBCCatalog->TableList;
    usable_ = read.failure.empty();
    if (!mayTell) return usable_;
    if (!usable_) tell("The tables could not be read.|" + read.failure, "ODBC connection");
    if (!read.leftOut.empty()) tell(tablesLeftOutMessage(read.leftOut), "Tables");
    return usable_;
}

bool CatalogueConnection::detailsRead() {
    if (!ODBCCatalog || !ODBCCatalog->ConnectionFailed) return true;
    usable_ = false;
    tell(ODBCCatalog->ReadFailure, "ODBC connection");
    return false;
}

bool CatalogueConnection::usable() const { return usable_ && ODBCCatalog; }
