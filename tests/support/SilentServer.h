// A TCP port on 127.0.0.1 that takes connections and never answers: the
// kernel completes each handshake for the listening socket, and nothing ever
// reads or writes. Closed with the object.
#pragma once

#include <string>

class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int port() const { return port_; }
    // A PostgreSQL connect string that reaches this port.
    std::string postgresConnectString() const;

private:
    int socket_ = -1;
    int port_ = 0;
};
