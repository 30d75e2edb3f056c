// A FILE of the runtime's ODBC driver over unixODBC.
//
// The owner (PROP_Owner) is the connect string. OPEN connects on first use
// with SQLDriverConnect and no prompt, its keywords without their blanks
// (driverConnectString); CLOSE ends the current statement but
// keeps the connection; assigning PROP_Disconnect ends it. Assigning PROP_SQL
// executes the text on a fresh statement and positions the file before the
// first result row; NEXT fetches the next row into the record (when it has
// fields).
//
// A connect waits at most the login time-out (15 s unless set) for the data
// source and then fails with the driver's message; statements have no
// time-out.
//
// A file over a table (NAME and the column of each field, as a FILE
// declaration gives them) also checks on OPEN that the table can be read,
// and SET positions it before the table's first row, so that NEXT reads the
// table. Names go into the statements as given, unquoted.
//
// Errors follow the runtime: ERRORCODE/ERROR, and the driver's SQLSTATE and
// message in FILEERRORCODE/FILEERROR.
//
// Driver calls that may wait for the data source (the connect, a statement,
// a fetch with the reading of its row) run on the layer's worker thread while
// the calling fiber keeps the lock (BlockingCall.h): no other fiber runs and
// input waits, but Qt paints, the pointer shows busy, and a connect says
// "Connecting..." in the application frame's status bar. The worker touches
// the call's own handle and buffer only: the file's state, its record and the
// error state are written on the calling fiber once the call has returned, so
// a paint never reads what is being written. The calls keep their order on
// the one connection. A caller that makes driver calls of its own on the
// file's handles runs them the same way.
//
// A statement or fetch that fails because the connection is gone ends the
// connection (endLostConnection): the file is closed, the error stays, and
// the next OPEN connects again.
//
// Text goes to the driver as UTF-8 and comes back as Windows-1252. The file
// belongs to no fiber; no call lets another fiber run.
#pragma once

#include "platform/odbc/OdbcHandle.h"
#include "platform/data/RecordRef.h"
#include "platform/text/Text.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The table a file stands for: its name and the column of each record field,
// in field order.
constexpr Long kLoginTimeoutSeconds = 15;

struct OdbcTable {
    std::string name;
    std::vector<std::string> columns;
};

class OdbcFile {
public:
    explicit OdbcFile(std::string name, RecordRef record = {}, OdbcTable table = {});

    const std::string& name() const { return name_; }
    // The access mode is accepted as the runtime gives it; ODBC has no sharing
    // modes. A file over a table that cannot be read (not there, no rights) is
    // not opened.
    void open(Long accessMode);
    void close();
    bool opened() const { return opened_; }
    // Counts from the next connect.
    void setLoginTimeout(Long seconds) { loginTimeout_ = seconds; }
    Long loginTimeout() const { return loginTimeout_; }
    // BUFFER: drivers read ahead on their own, so only the file state is checked.
    void buffer(Long pageSize);
    // SET of a file over a table: its rows in the order the data source gives them.
    void set();
    void next();

    std::string property(Long number) const;
    void setProperty(Long number, std::string_view value);
    // PROP_Hdbc and PROP_Hstmt as handles; nullptr while there is none.
    void* handle(Long number) const;
    // PROP_Record.
    const RecordRef& record() const { return record_; }

    // After a failed call on the connection whose diagnostics were reported
    // (the file's own calls do this themselves): when the connection is gone
    // (SQLSTATE class 08, or the driver says it is dead), ends it and closes
    // the file, so that the next OPEN connects again. True then.
    bool endLostConnection();

private:
    bool connect();
    void disconnect();
    void execute(std::string_view sql);
    // Ends the current statement and runs `sql` as the new one.
    void startStatement(std::string_view sql);
    // The statement run on a fresh handle; an empty handle after a reported error.
    OdbcHandle run(std::string_view sql);
    std::string selectFromTable() const;

    std::string name_;
    RecordRef record_;
    OdbcTable table_;
    std::string owner_;
    std::string sql_;
    bool opened_ = false;
    Long loginTimeout_ = kLoginTimeoutSeconds;
    // Declared in the order of their parents, so they are freed children first.
    OdbcHandle environment_;
    OdbcHandle connection_;
    OdbcHandle statement_;
};

}  // namespace platform
