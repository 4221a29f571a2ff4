#pragma once

#include <cstdint>

namespace qw::plugin {

// The reference count of an object that the library hands to the IDE, with
// the three reference operations (positions 0 to 2) over `IdeInterface`. The
// count starts at 1, the use of whoever receives the object; at 0 the object
// destroys itself. The destructor is declared here, behind every operation of
// `IdeInterface`, so that it takes none of the interface's positions.
template <typename IdeInterface> class TInterface : public IdeInterface {
public:
    TInterface() = default;
    TInterface(const TInterface&) = delete;
    TInterface& operator=(const TInterface&) = delete;

    std::int32_t AddRef() override { return ++refCount_; }

    std::int32_t Release() override {
        const std::int32_t count = --refCount_;
        if (count == 0)
            delete this;
        return count;
    }

    std::int32_t GetVersion() override { return 2; }

protected:
    virtual ~TInterface() = default;

private:
    std::int32_t refCount_ = 1;
};

} // namespace qw::plugin
