// A FILE of the runtime's ODBC driver over unixODBC.
//
// The owner (PROP_Owner) is the connect string. OPEN connects on first use
// with SQLDriverConnect and no prompt; CLOSE ends the current statement but
// keeps the connection; assigning PROP_Disconnect ends it. Assigning PROP_SQL
// executes the text on a fresh statement and positions the file before the
// first result row; NEXT fetches the next row into the record (when it has
// fields). Errors follow the runtime: ERRORCODE/ERROR, and the driver's
// SQLSTATE and message in FILEERRORCODE/FILEERROR.
//
// Text goes to the driver as UTF-8 and comes back as Windows-1252. The file
// belongs to no fiber; each call runs to its end without a wait.
#pragma once

#include "platform/odbc/OdbcHandle.h"
#include "platform/odbc/RecordRef.h"
#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace platform {

class OdbcFile {
public:
    explicit OdbcFile(std::string name, RecordRef record = {});

    const std::string& name() const { return name_; }
    // The access mode is accepted as the runtime gives it; ODBC has no sharing modes.
    void open(Long accessMode);
    void close();
    bool opened() const { return opened_; }
    // BUFFER: drivers read ahead on their own, so only the file state is checked.
    void buffer(Long pageSize);
    void next();

    std::string property(Long number) const;
    void setProperty(Long number, std::string_view value);
    // PROP_Hdbc and PROP_Hstmt as handles; nullptr while there is none.
    void* handle(Long number) const;
    // PROP_Record.
    const RecordRef& record() const { return record_; }

private:
    bool connect();
    void disconnect();
    void execute(std::string_view sql);
    void fetchIntoRecord();

    std::string name_;
    RecordRef record_;
    std::string owner_;
    std::string sql_;
    bool opened_ = false;
    // Declared in the order of their parents, so they are freed children first.
    OdbcHandle environment_;
    OdbcHandle connection_;
    OdbcHandle statement_;
};

}  // namespace platform
