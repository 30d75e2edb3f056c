// A few connections of their own to one data source, each on a thread of its
// own, for reads that may run ahead of the program's one connection while a
// fiber works through their results (the dictionary writer's catalogue
// reads: the next tables are read while it writes the current one).
//
// Rules:
// - Made and used by one fiber on the Qt thread. The threads connect at once,
//   side by side, with the connect string as OdbcFile gives it to the driver
//   (driverConnectString) and its login time-out.
// - A job is work on the thread's connection handle. It writes only into a
//   buffer of its own, never into the program's state (queues, records,
//   globals, the error state); the fiber reads the buffer once wait() has
//   said it was done. Jobs are taken in the order they were queued, each by
//   the first free thread.
// - A job answers whether it did its work. One that did not is given back,
//   and its thread disconnects and ends, since its connection may be what
//   failed; a thread whose connect fails ends too. Once no thread is left,
//   every job still queued is given back. A pool that connects nowhere (a
//   data source that allows a single connection) thus gives every job back.
// - wait(job) waits as a driver call on the layer's worker does (BlockingCall.h):
//   the calling fiber keeps the lock, Qt paints. True when the job was done;
//   false when it was given back: the caller does the work itself.
// - The pool's end drops the jobs still queued, lets the running ones end,
//   and disconnects: no thread or connection outlives it.
//
//     OdbcConnectionPool pool(connectString, 4);
//     auto job = pool.queue([&](void* connection) { return readInto(buffer, connection); });
//     if (!pool.wait(*job)) readInto(buffer, ownConnection);
#pragma once

#include "platform/odbc/OdbcHandle.h"
#include "platform/text/Text.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace platform {

class OdbcConnectionPool {
public:
    // Does its work on the connection handle: true when done.
    using Work = std::function<bool(void* connection)>;

    class Job {
    public:
        explicit Job(Work work) : work_(std::move(work)) {}

    private:
        friend class OdbcConnectionPool;
        enum class State { Queued, Running, Done, GivenBack };
        Work work_;
        State state_ = State::Queued;
    };

    OdbcConnectionPool(std::string_view connectString, int connections, Long loginTimeoutSeconds = 15);
    ~OdbcConnectionPool();
    OdbcConnectionPool(const OdbcConnectionPool&) = delete;
    OdbcConnectionPool& operator=(const OdbcConnectionPool&) = delete;

    std::shared_ptr<Job> queue(Work work);
    bool wait(Job& job);

    // The threads still connecting or connected.
    int threads() const;

private:
    void serve(const std::string& connectString, Long loginTimeout);
    std::shared_ptr<Job> next();
    // False when the thread ends: the job was not done.
    bool finish(Job& job, bool done);
    // Under the mutex: a thread has ended.
    void threadEnded();

    OdbcHandle environment_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Job>> queued_;
    int threads_ = 0;
    bool closing_ = false;
    std::vector<std::thread> running_;
};

}  // namespace platform
