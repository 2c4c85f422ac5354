#pragma once
// A colour as the program stores it: red, green and blue, 0 to 255 each.

#include <cstdint>

namespace kinhom {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    constexpr bool operator==(const Rgb&) const = default;

    // The packed form of the original platform's colour values: r + 256 g + 65536 b.
    constexpr std::uint32_t packed() const { return r | (g << 8) | (std::uint32_t(b) << 16); }
    static constexpr Rgb fromPacked(std::uint32_t v)
    {
        return Rgb{std::uint8_t(v & 0xFF), std::uint8_t((v >> 8) & 0xFF), std::uint8_t((v >> 16) & 0xFF)};
    }
};

constexpr Rgb RGB(int r, int g, int b)
{
    return Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
}

} // namespace kinhom
