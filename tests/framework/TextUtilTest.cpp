// Right counts characters (an invalid byte is one), the string equality folds case, and a
// name printed in a message stays one printable line.
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

struct PrintableCase {
  std::string name;
  std::string printed;
};

TEST(TextUtilTest, PrintablePathEscapesWhatCouldBreakALineOrDriveATerminal) {
  const PrintableCase cases[] = {
      {"/music/Morning Stroll.mp3", "/music/Morning Stroll.mp3"},
      {"caf\xC3\xA9 \xE6\x97\xA5.mp3", "caf\xC3\xA9 \xE6\x97\xA5.mp3"},  // valid UTF-8 stays
      {"a\nSound: forged.mp3", "a\\x0ASound: forged.mp3"},
      {"a\rb\tc", "a\\x0Db\\x09c"},
      {"\x1B[31mred", "\\x1B[31mred"},  // an escape sequence
      {"del\x7F", "del\\x7F"},
      {"c1\xC2\x9B"
       "2J",
       "c1\\xC2\\x9B2J"},                // the one-character CSI of C1
      {"bad\xFF\xFE", "bad\\xFF\\xFE"},  // invalid UTF-8, byte by byte
      {"cut\xE2\x82", "cut\\xE2\\x82"},  // a sequence cut short
      {"back\\slash", "back\\slash"},
  };
  for (const PrintableCase& c : cases) {
    const std::string printed = PrintablePath(c.name);
    EXPECT_EQ(printed, c.printed);
    for (const char ch : printed) {
      const auto byte = static_cast<unsigned char>(ch);
      EXPECT_TRUE(byte >= 0x20 && byte != 0x7F) << "a control byte in " << printed;
    }
  }
}

}  // namespace
