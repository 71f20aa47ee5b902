#include "framework/TextUtil.h"

#include <cstdio>

#include "framework/files/TextFold.h"

std::string Right(std::string_view s, int32_t n) {
  if (n <= 0) return std::string();
  // Two passes without allocating: count the characters, then skip all but the last n.
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); ++count) DecodeNext(s, pos);
  const auto keep = static_cast<std::size_t>(n);
  if (keep >= count) return std::string(s);
  std::size_t pos = 0;
  for (std::size_t skipped = 0; skipped < count - keep; ++skipped) DecodeNext(s, pos);
  return std::string(s.substr(pos));
}

bool TextEquals(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (FoldCase(DecodeNext(a, i)) != FoldCase(DecodeNext(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

std::string TextFoldKey(std::string_view s) {
  std::string key;
  key.reserve(s.size());
  AppendTextFoldKey(s, key);
  return key;
}

std::string PrintablePath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t start = pos;
    const char32_t c = DecodeNext(path, pos);
    const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
    if (c >= kInvalidByteBase || control) {
      for (std::size_t i = start; i < pos; ++i) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(path[i]));
        out += hex;
      }
    } else {
      out.append(path, start, pos - start);
    }
  }
  return out;
}
