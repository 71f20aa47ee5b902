// Text helpers. Texts are UTF-8; invalid bytes count as one character each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The last n characters of s (all of s when it is shorter; nothing for n <= 0).
std::string Right(std::string_view s, int32_t n);
// The string equality of the framework: case-insensitive (".MP3" equals ".mp3"), with a
// simple Unicode case fold ("É" equals "é"). An invalid byte equals only the same byte.
bool TextEquals(std::string_view a, std::string_view b);
// The key that orders texts case-insensitively: texts with equal keys are TextEquals. Keys
// compare bytewise in the order of the folded characters' code points; invalid bytes sort
// after every character.
std::string TextFoldKey(std::string_view s);
// A path (or any name) as it goes into a message: one printable line. Control characters
// (C0, DEL and C1, newlines and escape sequences among them) and the bytes of invalid UTF-8
// come out as \xNN, one per byte, so a name can neither break a message nor drive a terminal.
std::string PrintablePath(std::string_view path);
