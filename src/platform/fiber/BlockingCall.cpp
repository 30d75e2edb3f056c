#include "platform/fiber/BlockingCall.h"

#include "platform/fiber/Scheduler.h"

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace platform {
namespace {

// A call that ends within this time goes unnoticed: the program does not
// paint meanwhile, and nothing says it is busy.
constexpr std::chrono::milliseconds kUnnoticed{50};

struct Job {
    const std::function<void()>* call;
    std::exception_ptr failure;
    bool done = false;
};

// One thread that runs the jobs in their order.
class Worker {
public:
    ~Worker() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        queued_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

    void submit(Job& job) {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
        jobs_.push_back(&job);
        queued_.notify_one();
    }

    bool finished(const Job& job, std::chrono::milliseconds within) {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, within, [&] { return job.done; });
    }

    bool finished(const Job& job) {
        const std::lock_guard lock(mutex_);
        return job.done;
    }

private:
    void run() {
        for (;;) {
            Job* job = nullptr;
            {
                std::unique_lock lock(mutex_);
                queued_.wait(lock, [&] { return quit_ || !jobs_.empty(); });
                if (jobs_.empty()) return;
                job = jobs_.front();
                jobs_.pop_front();
            }
            try {
                (*job->call)();
            } catch (...) {
                job->failure = std::current_exception();
            }
            {
                const std::lock_guard lock(mutex_);
                job->done = true;
            }
            ended_.notify_all();
            Scheduler::wakeFromAnyThread();
        }
    }

    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable ended_;
    std::deque<Job*> jobs_;
    bool quit_ = false;
    std::thread thread_;
};

Worker& worker() {
    static Worker instance;
    return instance;
}

BlockingCallHook& blockingCallHook() {
    static BlockingCallHook hook;
    return hook;
}

bool onQtThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

void tellHook(bool busy, std::string_view activity) {
    if (const BlockingCallHook& hook = blockingCallHook()) hook(busy, activity);
}

}  // namespace

BlockingCallHook setBlockingCallHook(BlockingCallHook hook) { return std::exchange(blockingCallHook(), std::move(hook)); }

void runBlocking(const std::function<void()>& call, std::string_view activity) {
    if (!onQtThread()) {
        call();
        return;
    }
    Job job{&call};
    worker().submit(job);
    if (!worker().finished(job, kUnnoticed)) {
        tellHook(true, activity);
        Scheduler::instance().waitKeepingLock([&] { return worker().finished(job); });
        tellHook(false, {});
    }
    if (job.failure) std::rethrow_exception(job.failure);
}

}  // namespace platform
