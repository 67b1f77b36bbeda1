#pragma once
#include <cstdint>

// What the writer and reader report while they work; a dialog adapts it to its progress bar.
class DbfProgress {
public:
    virtual ~DbfProgress() = default;
    // Range 0..count, position back at 0.
    virtual void Start(std::int64_t count) = 0;
    // One record done.
    virtual void Step() = 0;
};
