#pragma once

namespace klankflits
{

// Sets a flag for as long as a scope lasts, also when it is left by an exception.
class ScopedFlag
{
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

} // namespace klankflits
