// Text helpers. Texts are UTF-8; invalid bytes count as one character each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The last n characters of s (all of s when it is shorter).
std::string Right(std::string_view s, int32_t n);
// The string equality of the framework: case-insensitive (".MP3" equals ".mp3").
bool TextEquals(std::string_view a, std::string_view b);
