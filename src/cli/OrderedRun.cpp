#include "cli/OrderedRun.h"

#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

namespace qw::cli {
namespace {

// A failure of the tool itself (out of memory, say) ends only its file.
FileOutcome processGuarded(const std::function<FileOutcome(std::size_t, int)>& process,
                           std::size_t file, int worker) {
    try {
        return process(file, worker);
    } catch (const std::exception& e) {
        FileOutcome failed;
        failed.report.error = std::string("internal error: ") + e.what();
        return failed;
    }
}

class Scheduler {
public:
    Scheduler(const std::vector<std::vector<std::size_t>>& groups, std::size_t window)
        : groups_(groups), window_(window) {}

    // Runs groups until none is left.
    void work(const std::function<FileOutcome(std::size_t, int)>& process, int worker) {
        for (;;) {
            std::size_t group = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] {
                    return next_ == groups_.size() || groups_[next_].front() < emitted_ + window_;
                });
                if (next_ == groups_.size())
                    return;
                group = next_++;
            }
            for (std::size_t file : groups_[group]) {
                FileOutcome outcome = processGuarded(process, file, worker);
                std::lock_guard lock(mutex_);
                done_.emplace(file, std::move(outcome));
                changed_.notify_all();
            }
        }
    }

    // Emits every file in order, waiting for each.
    void emitAll(std::size_t fileCount,
                 const std::function<void(std::size_t, FileOutcome&)>& emit) {
        for (std::size_t file = 0; file < fileCount; ++file) {
            FileOutcome outcome;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return done_.count(file) != 0; });
                auto it = done_.find(file);
                outcome = std::move(it->second);
                done_.erase(it);
            }
            emit(file, outcome);
            std::lock_guard lock(mutex_);
            emitted_ = file + 1;
            changed_.notify_all();
        }
    }

private:
    const std::vector<std::vector<std::size_t>>& groups_;
    const std::size_t window_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;    // the next group to start
    std::size_t emitted_ = 0; // files emitted so far
    std::map<std::size_t, FileOutcome> done_;
};

} // namespace

void runInOrder(std::size_t fileCount, const std::vector<std::vector<std::size_t>>& groups,
                int jobs, const std::function<FileOutcome(std::size_t file, int worker)>& process,
                const std::function<void(std::size_t file, FileOutcome& outcome)>& emit) {
    if (jobs <= 1) {
        // One worker: no thread, and still the order of the files.
        std::map<std::size_t, FileOutcome> waiting;
        std::size_t next = 0;
        for (const auto& group : groups) {
            for (std::size_t file : group)
                waiting.emplace(file, processGuarded(process, file, 0));
            for (auto it = waiting.begin(); it != waiting.end() && it->first == next;
                 it = waiting.erase(it), ++next)
                emit(it->first, it->second);
        }
        return;
    }
    const std::size_t window = static_cast<std::size_t>(jobs) * 4;
    Scheduler scheduler(groups, window);
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(jobs));
    for (int w = 0; w < jobs; ++w)
        workers.emplace_back([&, w] { scheduler.work(process, w); });
    scheduler.emitAll(fileCount, emit);
    for (std::thread& t : workers)
        t.join();
}

} // namespace qw::cli
