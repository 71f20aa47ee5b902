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

void AppendTextFoldKey(std::string_view s, std::string& key) {
  bool ascii = true;
  for (const char ch : s) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
  if (ascii) {  // the common case, written in place
    const std::size_t start = key.size();
    key.resize(start + s.size());
    char* out = key.data() + start;
    for (const char ch : s) *out++ = (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch;
    return;
  }
  for (std::size_t pos = 0; pos < s.size();) {
    const auto byte = static_cast<unsigned char>(s[pos]);
    if (byte < 0x80) {
      key.push_back(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte));
      ++pos;
      continue;
    }
    const char32_t c = FoldCase(DecodeNext(s, pos));
    if (c >= kInvalidByteBase) {
      // 0xFF never occurs in UTF-8 and sorts after every lead byte.
      key.push_back(static_cast<char>(0xFF));
      key.push_back(static_cast<char>(c - kInvalidByteBase));
    } else if (c < 0x800) {
      key.push_back(static_cast<char>(0xC0 | (c >> 6)));
      key.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      key.push_back(static_cast<char>(0xE0 | (c >> 12)));
      key.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      key.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      key.push_back(static_cast<char>(0xF0 | (c >> 18)));
      key.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      key.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      key.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
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
