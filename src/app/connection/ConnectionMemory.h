// The connection memory: the last entries of the connection window, kept in
// an INI file beside the program, one section, plain text (the password too,
// which is why the file is created readable by its owner only).
#pragma once

#include <string>

// The program's path with the extension of its file name removed, followed
// by "_dns.ini": /opt/x/tabloom and /opt/x/tabloom.bin give /opt/x/tabloom_dns.ini.
std::string connectionMemoryFile();

struct ConnectionMemory {
    std::string dsn;
    std::string username;
    std::string password;
    std::string connectString;

    // Missing keys (or a missing file) read as empty texts.
    static ConnectionMemory load();
    // Writes the four keys in the order the window stores them, creating
    // the file when there is none.
    void store() const;
};
