#pragma once

namespace qw {

// Marks a command as running for its lifetime, unless one runs already: then
// the guard is false and the command must return at once.
class RunGuard {
public:
    explicit RunGuard(bool& running) : running_(running), owner_(!running) {
        if (owner_)
            running_ = true;
    }
    ~RunGuard() {
        if (owner_)
            running_ = false;
    }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;
    explicit operator bool() const { return owner_; }

private:
    bool& running_;
    bool owner_;
};

} // namespace qw
