#include "framework/TextUtil.h"

#include <vector>

#include "framework/TextFold.h"

std::string Right(std::string_view s, int32_t n) {
  if (n <= 0) return std::string();
  // The start of every character, so that the last n can be cut off at a character boundary.
  std::vector<std::size_t> starts;
  starts.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    starts.push_back(pos);
    DecodeNext(s, pos);
  }
  const auto count = static_cast<std::size_t>(n);
  if (count >= starts.size()) return std::string(s);
  return std::string(s.substr(starts[starts.size() - count]));
}

bool TextEquals(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (FoldCase(DecodeNext(a, i)) != FoldCase(DecodeNext(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

std::u32string TextFoldKey(std::string_view s) {
  std::u32string key;
  key.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) key.push_back(FoldCase(DecodeNext(s, pos)));
  return key;
}
