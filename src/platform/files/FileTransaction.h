// LOGOUT and COMMIT over keyed files.
//
// Files are enrolled with PROP_Logout (1 starts the list, 2 adds). LOGOUT
// opens one connection with the first enrolled file as its main database
// and the others attached (kept for the next LOGOUT over the same files),
// and takes the write locks of all of them at once (BEGIN IMMEDIATE),
// waiting up to `timeout` seconds, or fails with them all free. With a real file as main database and the rollback journal, SQLite
// commits the attached files atomically: a program that dies before its
// COMMIT leaves none of its changes in any of them.
//
// While the transaction runs, every statement on an enrolled file, from any
// fiber, runs on its connection and sees its changes; files not enrolled keep
// their own connections and write at once. A second LOGOUT fails with 56 and
// leaves the open transaction alone; COMMIT without one fails with 91. A
// COMMIT of a transaction that wrote nothing ends it without touching the
// files (only rows are written inside one: files are made outside it).
//
// One transaction for the program, like the runtime's; nothing here waits
// for a fiber (the lock wait holds the global lock).
#pragma once

#include "platform/text/Text.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class KeyedFile;
class SqliteConnection;

class FileTransaction {
public:
    static FileTransaction& instance();

    void enrol(KeyedFile& file, bool startList);
    // The file closes: it leaves the running transaction (what it wrote
    // stays in it).
    void leave(KeyedFile& file);
    // The file goes away: also off the list.
    void forget(KeyedFile& file);

    bool logout(Long timeoutSeconds);
    bool commit();
    bool active() const { return active_; }

private:
    FileTransaction() = default;
    bool connect();
    void disconnect();

    std::vector<KeyedFile*> enrolled_;
    std::vector<KeyedFile*> members_;  // of the running transaction
    std::unique_ptr<SqliteConnection> connection_;
    std::vector<KeyedFile*> connected_;  // the files the connection was opened over
    bool stale_ = false;                 // one of them closed meanwhile
    bool active_ = false;
    long long changesAtLogout_ = 0;  // the connection's count of changed rows when it began
};

bool LOGOUT(Long timeoutSeconds);
bool COMMIT();

}  // namespace platform
