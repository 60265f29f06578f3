// Runs a constructor over storage filled with a byte pattern, so that a field
// it leaves unset shows as garbage instead of reading as a lucky zero.
#pragma once

#include <cstring>
#include <new>

template <class T>
class OverPattern {
public:
    template <class Arg>
    explicit OverPattern(const Arg& arg)
    {
        std::memset(bytes_, 0x5A, sizeof bytes_);
        object_ = new (bytes_) T(arg);
    }
    ~OverPattern() { object_->~T(); }
    OverPattern(const OverPattern&) = delete;
    OverPattern& operator=(const OverPattern&) = delete;
    const T& operator*() const { return *object_; }

private:
    alignas(T) unsigned char bytes_[sizeof(T)];
    T* object_;
};
