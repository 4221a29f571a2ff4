#include "engine/ProjectLists.h"

#include <algorithm>

#include "text/Text.h"

namespace qw {

void ProjectLists::clear() {
    queue_.clear();
    done_.clear();
}

bool ProjectLists::holds(std::string_view name) const {
    auto same = [&](const std::string& s) {
        return equalsIgnoringCase(s, name);
    };
    return std::any_of(queue_.begin(), queue_.end(), same) ||
           std::any_of(done_.begin(), done_.end(), same);
}

void ProjectLists::enqueue(const std::string& name) {
    if (!holds(name))
        queue_.push_back(name);
}

void ProjectLists::moveFrontToDone() {
    done_.push_back(queue_.front());
    queue_.pop_front();
}

void ProjectLists::markDone(const std::string& name) {
    if (!holds(name))
        done_.push_back(name);
}

} // namespace qw
