// Simulated threads are real threads: what is simulated is only the timer resolution and
// the failure to create a thread.
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sim/sim.h"
#include "platform/threads.h"

namespace platform {
namespace {

struct Running {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

std::mutex TableMutex;
std::map<std::intptr_t, std::shared_ptr<Running>> Table;
std::intptr_t NextHandle = 1;

// Threads are joined once ended, never detached: under Wine, a detached thread of the
// mingw-w64 runtime was seen never to run its function, about one start in a hundred. Each
// start joins the threads that have ended since; at exit the ones still running are left.
class Joiner {
  public:
    void Add(std::thread thread, std::shared_ptr<Running> running) {
        std::lock_guard lock(mutex_);
        std::erase_if(threads_, [](Entry& entry) {
            if (!Ended(*entry.running))
                return false;
            entry.thread.join();
            return true;
        });
        threads_.push_back({std::move(thread), std::move(running)});
    }
    ~Joiner() {
        for (Entry& entry : threads_)
            entry.thread.detach();
    }

  private:
    struct Entry {
        std::thread thread;
        std::shared_ptr<Running> running;
    };
    static bool Ended(Running& running) {
        std::lock_guard lock(running.mutex);
        return running.done;
    }
    std::mutex mutex_;
    std::vector<Entry> threads_;
};

Joiner TheJoiner;

std::shared_ptr<Running> Find(std::intptr_t handle) {
    std::lock_guard lock(TableMutex);
    const auto found = Table.find(handle);
    return found == Table.end() ? nullptr : found->second;
}

}  // namespace

Status ThreadStart(ThreadEntry entry, Thread& thread) {
    thread.reset();
    if (sim::TheMachine().threads.startError != 0)
        return Status(sim::TheMachine().threads.startError);
    ++sim::TheMachine().threads.started;
    auto running = std::make_shared<Running>();
    std::intptr_t handle = 0;
    {
        std::lock_guard lock(TableMutex);
        handle = NextHandle++;
        Table[handle] = running;
    }
    TheJoiner.Add(std::thread([entry, running] {
                      entry();
                      std::lock_guard lock(running->mutex);
                      running->done = true;
                      running->ended.notify_all();
                  }),
                  running);
    thread = Thread(handle);
    return Status();
}

bool ThreadWait(const Thread& thread, std::uint32_t milliseconds) {
    const std::shared_ptr<Running> running = Find(thread.get());
    if (running == nullptr)
        return false;
    std::unique_lock lock(running->mutex);
    return running->ended.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                   [&] { return running->done; });
}

void SleepMs(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ThreadCloseHandle(std::intptr_t handle) {
    std::lock_guard lock(TableMutex);
    Table.erase(handle);
}

bool ResolveSetTimerResolution() {
    return sim::TheTimerResolution().available.load();
}

void SetTimerResolution(std::uint32_t desired, bool set) {
    sim::TimerResolution& timer = sim::TheTimerResolution();
    timer.lastDesired = desired;
    ++(set ? timer.requests : timer.withdrawals);
}

}  // namespace platform
