#pragma once

namespace qw::plugin {

// One use of an object that the IDE handed out, ended (released) when the
// holder goes out of scope.
template <typename Object> class IdeReference {
public:
    explicit IdeReference(Object* object) : object_(object) {}
    ~IdeReference() {
        if (object_)
            object_->Release();
    }
    IdeReference(const IdeReference&) = delete;
    IdeReference& operator=(const IdeReference&) = delete;

    explicit operator bool() const { return object_ != nullptr; }
    Object* operator->() const { return object_; }

private:
    Object* object_;
};

} // namespace qw::plugin
