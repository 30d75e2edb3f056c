#include "platform/fiber/BlockingCall.h"

#include "platform/fiber/Scheduler.h"

#include <QCoreApplication>
#include <QThread>

#include <atomic>
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
// Driver calls that find their data at hand take microseconds to a few
// hundred; waking a sleeping thread can take as long as the call. So the
// caller looks for the end of its call this long before it sleeps, and the
// worker for the next call.
constexpr std::chrono::microseconds kCallerSpin{1000};
constexpr std::chrono::microseconds kWorkerSpin{200};

// Tells the processor a spinning thread waits.
inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

template <class Ready>
bool spinUntil(Ready ready, std::chrono::microseconds spin) {
    const auto until = std::chrono::steady_clock::now() + spin;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        relax();
    }
    return true;
}

// The caller's: once it is done, the worker touches it no more.
struct Job {
    const std::function<void()>* call;
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    // The caller lets Qt run: the worker wakes it when the job is done
    // (both under the worker's mutex).
    bool waitingInQt = false;
};

// One thread that runs the jobs in their order.
class Worker {
public:
    ~Worker() { stop(); }

    void submit(Job& job) {
        {
            const std::lock_guard lock(mutex_);
            if (!thread_.joinable()) start();
            jobs_.push_back(&job);
            pending_.store(true);
        }
        queued_.notify_one();
    }

    // Ends the thread once its jobs are done; the next job starts another.
    void stop() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        queued_.notify_all();
        if (thread_.joinable()) thread_.join();
        quit_ = false;
    }

    bool finished(const Job& job, std::chrono::milliseconds within) {
        if (spinUntil([&] { return job.done.load(); }, kCallerSpin)) return true;
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, within, [&] { return job.done.load(); });
    }

    // The caller is about to let Qt run until the job is done: false when it is done already.
    bool willWaitInQt(Job& job) {
        const std::lock_guard lock(mutex_);
        if (job.done) return false;
        job.waitingInQt = true;
        return true;
    }

private:
    void start();

    Job* next() {
        spinUntil([&] { return pending_.load(); }, kWorkerSpin);
        std::unique_lock lock(mutex_);
        queued_.wait(lock, [&] { return quit_ || !jobs_.empty(); });
        if (jobs_.empty()) return nullptr;
        Job* job = jobs_.front();
        jobs_.pop_front();
        pending_.store(!jobs_.empty());
        return job;
    }

    void run() {
        while (Job* job = next()) {
            try {
                (*job->call)();
            } catch (...) {
                job->failure = std::current_exception();
            }
            bool wake = false;
            {
                // Once done, the job belongs to its caller again, who may
                // already have left the frame it lives in.
                const std::lock_guard lock(mutex_);
                wake = job->waitingInQt;
                job->done.store(true);
            }
            ended_.notify_all();
            if (wake) Scheduler::wakeFromAnyThread();
        }
    }

    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable ended_;
    std::deque<Job*> jobs_;
    std::atomic<bool> pending_{false};
    bool quit_ = false;
    std::thread thread_;
};

Worker& worker() {
    static Worker instance;
    return instance;
}

// The thread ends with the Qt application, before the program's exit
// handlers: the libraries the drivers use (OpenSSL) free what they keep for
// each thread only while they themselves are still there.
void Worker::start() {
    thread_ = std::thread([this] { run(); });
    qAddPostRoutine([] { worker().stop(); });
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
    if (!worker().finished(job, kUnnoticed) && worker().willWaitInQt(job)) {
        tellHook(true, activity);
        Scheduler::instance().waitKeepingLock([&] { return job.done.load(); });
        tellHook(false, {});
    }
    if (job.failure) std::rethrow_exception(job.failure);
}

}  // namespace platform
