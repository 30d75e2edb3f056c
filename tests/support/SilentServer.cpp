#include "support/SilentServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

SilentServer::SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket_, 16) != 0 || ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no listening socket");
    port_ = ntohs(address.sin_port);
}

SilentServer::~SilentServer() { ::close(socket_); }

std::string SilentServer::postgresConnectString() const {
    return "DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=" + std::to_string(port_) +
           ";DATABASE=silent;UID=nobody;PWD=secret;";
}
