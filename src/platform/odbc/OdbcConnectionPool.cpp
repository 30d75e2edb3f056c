#include "platform/odbc/OdbcConnectionPool.h"

#include "platform/fiber/BlockingCall.h"
#include "platform/odbc/OdbcHandle.h"

namespace platform {

OdbcConnectionPool::OdbcConnectionPool(std::string_view connectString, int connections, Long loginTimeoutSeconds)
    : environment_(OdbcHandle::allocate(OdbcHandle::Kind::Environment, nullptr)) {
    if (!environment_) return;
    threads_ = connections;
    for (int i = 0; i < connections; ++i)
        running_.emplace_back([this, text = std::string(connectString), loginTimeoutSeconds] {
            serve(text, loginTimeoutSeconds);
        });
}

OdbcConnectionPool::~OdbcConnectionPool() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
        for (const std::shared_ptr<Job>& job : queued_) job->state_ = Job::State::GivenBack;
        queued_.clear();
    }
    changed_.notify_all();
    // A running job ends when its driver call does; Qt paints meanwhile.
    runBlocking([this] {
        for (std::thread& thread : running_) thread.join();
    });
}

std::shared_ptr<OdbcConnectionPool::Job> OdbcConnectionPool::queue(Work work) {
    auto job = std::make_shared<Job>(std::move(work));
    {
        const std::lock_guard lock(mutex_);
        if (threads_ == 0)
            job->state_ = Job::State::GivenBack;
        else
            queued_.push_back(job);
    }
    changed_.notify_all();
    return job;
}

bool OdbcConnectionPool::wait(Job& job) {
    const auto ended = [&job] { return job.state_ == Job::State::Done || job.state_ == Job::State::GivenBack; };
    runBlocking([&] {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, ended);
    });
    const std::lock_guard lock(mutex_);
    return job.state_ == Job::State::Done;
}

int OdbcConnectionPool::threads() const {
    const std::lock_guard lock(mutex_);
    return threads_;
}

void OdbcConnectionPool::serve(const std::string& connectString, Long loginTimeout) {
    OdbcHandle connection = OdbcHandle::allocate(OdbcHandle::Kind::Connection, environment_.get());
    if (!connection || !connection.connect(connectString, loginTimeout)) {
        const std::lock_guard lock(mutex_);
        threadEnded();
        return;
    }
    while (const std::shared_ptr<Job> job = next()) {
        bool done = false;
        try {
            done = job->work_(connection.get());
        } catch (...) {
            // Given back: the caller does the work itself and meets the fault there.
        }
        if (!finish(*job, done)) return;
    }
}

std::shared_ptr<OdbcConnectionPool::Job> OdbcConnectionPool::next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closing_ || !queued_.empty(); });
    if (closing_) {
        threadEnded();
        return nullptr;
    }
    std::shared_ptr<Job> job = std::move(queued_.front());
    queued_.pop_front();
    job->state_ = Job::State::Running;
    return job;
}

bool OdbcConnectionPool::finish(Job& job, bool done) {
    {
        const std::lock_guard lock(mutex_);
        job.state_ = done ? Job::State::Done : Job::State::GivenBack;
        // Counted out before it disconnects, so the caller never waits for it.
        if (!done) threadEnded();
    }
    changed_.notify_all();
    return done;
}

void OdbcConnectionPool::threadEnded() {
    if (--threads_ > 0) return;
    for (const std::shared_ptr<Job>& job : queued_) job->state_ = Job::State::GivenBack;
    queued_.clear();
    changed_.notify_all();
}

}  // namespace platform
