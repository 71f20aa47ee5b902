#pragma once

#include <cstdint>

// A 24-bit RGB colour.
struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  static constexpr Color RGB(uint8_t r, uint8_t g, uint8_t b) { return Color{r, g, b}; }
  static constexpr Color FromHex(uint32_t rgb) {
    return Color{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                 static_cast<uint8_t>(rgb)};
  }
  friend constexpr bool operator==(const Color&, const Color&) = default;
};
