#pragma once

#include <deque>
#include <string>
#include <string_view>

namespace qw {

// The unit names of a project walk: those still to visit and those visited.
// Names are compared without regard to letter case.
class ProjectLists {
public:
    void clear();
    bool holds(std::string_view name) const; // in either list
    // Appends to the queue unless one of the lists already holds the name.
    void enqueue(const std::string& name);
    bool queueEmpty() const { return queue_.empty(); }
    const std::string& front() const { return queue_.front(); }
    void moveFrontToDone();
    void markDone(const std::string& name);
    const std::deque<std::string>& queue() const { return queue_; }
    const std::deque<std::string>& done() const { return done_; }

private:
    std::deque<std::string> queue_;
    std::deque<std::string> done_;
};

} // namespace qw
