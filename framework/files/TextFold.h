// Framework-internal: UTF-8 decoding and the simple case fold behind TextUtil.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// An invalid byte decodes to kInvalidByteBase + the byte: outside Unicode, so it equals only
// itself and never a character.
inline constexpr char32_t kInvalidByteBase = 0x110000;

// Decodes the character at s[pos] and advances pos past it: a well-formed UTF-8 sequence
// (no overlong forms, no surrogates, nothing above U+10FFFF) or one invalid byte.
char32_t DecodeNext(std::string_view s, std::size_t& pos);
// The simple lower-case fold of one code point; invalid bytes fold to themselves.
char32_t FoldCase(char32_t c);
// Appends the fold key of s (TextFoldKey) to key.
void AppendTextFoldKey(std::string_view s, std::string& key);
