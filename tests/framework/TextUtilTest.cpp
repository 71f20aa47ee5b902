// Right counts characters (an invalid byte is one), and the string equality folds case.
#include <gtest/gtest.h>

#include <string>

#include "framework/TextUtil.h"

namespace {

struct RightCase {
  std::string text;
  int32_t n;
  std::string expected;
};

TEST(TextUtilTest, RightCountsCharactersNotBytes) {
  const RightCase cases[] = {
      {"song.mp3", 4, ".mp3"},
      {"mp3", 4, "mp3"},
      {"", 4, ""},
      {"song.mp3", 0, ""},
      {"song.mp3", -1, ""},
      {"caf\xC3\xA9", 2, "f\xC3\xA9"},                          // é is one character
      {"\xE6\x97\xA5\xE6\x9C\xAC.mp3", 5, "\xE6\x9C\xAC.mp3"},  // CJK, three bytes each
      {"x\xF0\x9F\x8E\xB5", 1, "\xF0\x9F\x8E\xB5"},             // a four-byte character
      {"ab\xFF\xFE", 2, "\xFF\xFE"},                            // invalid bytes: one each
      {"a\xE2\x82", 1, "\x82"},                                 // a sequence cut short
      {"a\xC0\xAF", 2, "\xC0\xAF"},                             // an overlong form
      {"a\xED\xA0\x80", 3, "\xED\xA0\x80"},                     // an encoded surrogate
      {"song.mp3.txt", 4, ".txt"},
  };
  for (const RightCase& c : cases) {
    EXPECT_EQ(Right(c.text, c.n), c.expected) << "Right(\"" << c.text << "\", " << c.n << ")";
  }
}

struct EqualsCase {
  std::string a;
  std::string b;
  bool equal;
};

TEST(TextUtilTest, EqualityIgnoresCase) {
  const EqualsCase cases[] = {
      {".mp3", ".mp3", true},
      {".MP3", ".mp3", true},
      {".Mp3", ".mP3", true},
      {".mp3", ".mp4", false},
      {".mp3", "mp3", false},
      {"", "", true},
      {"a", "", false},
      {"\xC3\x89", "\xC3\xA9", true},                  // É, é
      {"\xCE\xA3\xCE\x91", "\xCF\x83\xCE\xB1", true},  // ΣΑ, σα
      {"\xD0\x96", "\xD0\xB6", true},                  // Ж, ж
      {"\xC3\xA9", "e", false},
      {"\xFF", "\xFF", true},
      {"\xFF", "\xFE", false},
      {"\xC3", "\xC3\xA9", false},  // an invalid byte is no character
      {"\xC3\x89", "\xC3\x89\xC3\x89", false},
  };
  for (const EqualsCase& c : cases) {
    EXPECT_EQ(TextEquals(c.a, c.b), c.equal) << "\"" << c.a << "\" vs \"" << c.b << "\"";
    EXPECT_EQ(TextEquals(c.b, c.a), c.equal) << "symmetric";
    EXPECT_EQ(TextFoldKey(c.a) == TextFoldKey(c.b), c.equal) << "the key agrees";
  }
}

}  // namespace
