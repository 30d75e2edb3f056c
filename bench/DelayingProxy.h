// A network link of a given delay for the benchmarks: a TCP port on
// 127.0.0.1 that passes every connection on to a Unix socket (a PostgreSQL
// server's), each chunk of bytes leaving `delay` after it arrived, in each
// direction. Chunks are not held back behind each other: a link's latency,
// not a narrow line. Gone with the object.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace bench {

class DelayingProxy {
public:
    DelayingProxy(std::string socketPath, std::chrono::microseconds delay)
        : socketPath_(std::move(socketPath)), delay_(delay) {
        listening_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(listening_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listening_, 64) != 0 || getsockname(listening_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            std::perror("proxy");
            std::exit(1);
        }
        port_ = ntohs(address.sin_port);
        accepting_ = std::thread([this] { acceptConnections(); });
    }

    ~DelayingProxy() {
        shutdown(listening_, SHUT_RDWR);
        accepting_.join();
        for (const int socket : sockets_) shutdown(socket, SHUT_RDWR);
        for (std::thread& thread : threads_) thread.join();
        for (const int socket : sockets_) close(socket);
        close(listening_);
    }
    DelayingProxy(const DelayingProxy&) = delete;
    DelayingProxy& operator=(const DelayingProxy&) = delete;

    int port() const { return port_; }

private:
    struct Chunk {
        std::chrono::steady_clock::time_point due;
        std::string bytes;  // empty: the sender is done
    };

    // One direction of one connection: chunks in the order they came.
    struct Pipe {
        std::mutex mutex;
        std::condition_variable ready;
        std::deque<Chunk> chunks;
    };

    void acceptConnections() {
        for (;;) {
            const int client = accept(listening_, nullptr, nullptr);
            if (client < 0) return;
            const int server = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, socketPath_.c_str(), sizeof address.sun_path - 1);
            if (connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
                close(server);
                close(client);
                continue;
            }
            const std::lock_guard lock(mutex_);
            sockets_.insert(sockets_.end(), {client, server});
            relay(client, server);
            relay(server, client);
        }
    }

    // Under mutex_.
    void relay(int from, int to) {
        pipes_.emplace_back(std::make_unique<Pipe>());
        Pipe& pipe = *pipes_.back();
        threads_.emplace_back([this, &pipe, from] { receive(pipe, from); });
        threads_.emplace_back([&pipe, to] { deliver(pipe, to); });
    }

    void receive(Pipe& pipe, int from) const {
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            const ssize_t read = recv(from, buffer.data(), buffer.size(), 0);
            Chunk chunk{std::chrono::steady_clock::now() + delay_, read > 0 ? std::string(buffer.data(), read) : ""};
            {
                const std::lock_guard lock(pipe.mutex);
                pipe.chunks.push_back(std::move(chunk));
            }
            pipe.ready.notify_one();
            if (read <= 0) return;
        }
    }

    static void deliver(Pipe& pipe, int to) {
        for (;;) {
            Chunk chunk;
            {
                std::unique_lock lock(pipe.mutex);
                pipe.ready.wait(lock, [&] { return !pipe.chunks.empty(); });
                chunk = std::move(pipe.chunks.front());
                pipe.chunks.pop_front();
            }
            if (chunk.bytes.empty()) {
                shutdown(to, SHUT_WR);
                return;
            }
            std::this_thread::sleep_until(chunk.due);
            for (std::size_t sent = 0; sent < chunk.bytes.size();) {
                const ssize_t n = send(to, chunk.bytes.data() + sent, chunk.bytes.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) return;
                sent += static_cast<std::size_t>(n);
            }
        }
    }

    const std::string socketPath_;
    const std::chrono::microseconds delay_;
    int listening_ = -1;
    int port_ = 0;
    std::mutex mutex_;
    std::vector<int> sockets_;
    std::vector<std::unique_ptr<Pipe>> pipes_;
    std::vector<std::thread> threads_;
    std::thread accepting_;
};

}  // namespace bench
