// A PostgreSQL server of one test's own (scripts/postgres.sh with a folder
// of its own), which the test may stop and start again without disturbing
// the tests that share the suite's server. Gone with the object.
#pragma once

#include "support/TempFolder.h"

#include <string>

class OwnPostgresServer {
public:
    OwnPostgresServer();
    ~OwnPostgresServer();
    OwnPostgresServer(const OwnPostgresServer&) = delete;
    OwnPostgresServer& operator=(const OwnPostgresServer&) = delete;

    // Why this machine has no such server, for the test to skip with; empty
    // when it has.
    const std::string& missing() const { return missing_; }
    // What went wrong in the last use of the server's script; empty when nothing did.
    const std::string& failure() const { return failure_; }
    // As the suite's server gives it: user postgres, database tabloom_test.
    const std::string& connectString() const { return connectString_; }
    // Stops the server keeping its data, and starts it again.
    void stop();
    void start();

private:
    bool run(const char* command);

    TempFolder folder_;
    std::string missing_;
    std::string failure_;
    std::string connectString_;
};
