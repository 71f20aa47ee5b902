#include "framework/files/TextFold.h"

#include <clocale>
#include <cwctype>

char32_t DecodeNext(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t c = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, min = 0x10000;
  }
  if (length == 0 || pos + length > s.size()) {
    ++pos;
    return kInvalidByteBase + lead;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalidByteBase + lead;
    }
    c = (c << 6) | (next & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kInvalidByteBase + lead;
  }
  pos += length;
  return c;
}

namespace {

// The C library's Unicode case tables, independent of the process's own locale.
locale_t FoldLocale() {
  static const locale_t locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l;
  }();
  return locale;
}

}  // namespace

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
  if (c >= kInvalidByteBase) return c;
  const locale_t locale = FoldLocale();
  if (locale == static_cast<locale_t>(0)) return c;
  return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale));
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
