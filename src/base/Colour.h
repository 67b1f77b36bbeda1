#pragma once
#include <cstdint>

// An RGB colour as the lists and labels use it (no Qt in the model).
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};
