// Property sets on the controls: every key is applied in order and kept; an unknown key or a
// value of the wrong kind is a programming error that raises, and is not kept.
#include <gtest/gtest.h>

#include <functional>

#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/Timer.h"

namespace {

struct ClassCase {
  const char* name;
  std::function<std::shared_ptr<Object>()> make;
  const char* knownKey;  // a key that changes nothing visible here, yet is known
  PropertyValue knownValue;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
  *os << c.name;
}

class PropertyTest : public ::testing::TestWithParam<ClassCase> {};

TEST_P(PropertyTest, UnknownKeyRaisesAndIsNotKept) {
  auto object = GetParam().make();
  for (const char* key : {"Colour", "scrollbarvertical", "", "Left "}) {
    EXPECT_THROW(object->SetProperty(key, 1), RuntimeException) << "key \"" << key << "\"";
    EXPECT_FALSE(object->Property(key).has_value());
  }
  // The set stops at the unknown key: what came before it is applied, nothing after.
  PropertyList set = {
      {GetParam().knownKey, GetParam().knownValue}, {"NoSuchKey", true}, {"Mode", 0}, {"Left", 5}};
  EXPECT_THROW(SetProperties(*object, set), RuntimeException);
  EXPECT_TRUE(object->Property(GetParam().knownKey).has_value());
  EXPECT_FALSE(object->Property("Mode").has_value());
  EXPECT_FALSE(object->Property("Left").has_value());
}

TEST_P(PropertyTest, KnownKeyIsKeptAndAValueOfTheWrongKindRaises) {
  auto object = GetParam().make();
  object->SetProperty(GetParam().knownKey, GetParam().knownValue);
  EXPECT_EQ(object->Property(GetParam().knownKey), GetParam().knownValue);
  EXPECT_THROW(object->SetProperty(GetParam().knownKey, std::string("wrong kind")),
               TypeMismatchException);
  EXPECT_EQ(object->Property(GetParam().knownKey), GetParam().knownValue);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, PropertyTest,
    ::testing::Values(
        ClassCase{"Listbox", [] { return std::make_shared<Listbox>(); }, "_ScrollWidth", -1},
        ClassCase{"Label", [] { return std::make_shared<Label>(); }, "Multiline", false},
        ClassCase{"BevelButton", [] { return std::make_shared<BevelButton>(); }, "CaptionAlign", 3},
        ClassCase{"Timer", [] { return std::make_shared<Timer>(); }, "Period", 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PropertyKeysTest, ScrollBarKeysDifferInTheCaseOfTheirB) {
  auto list = std::make_shared<Listbox>();
  SetProperties(*list, {{"ScrollbarHorizontal", false}, {"ScrollBarVertical", true}});
  EXPECT_THROW(list->SetProperty("ScrollBarHorizontal", false), RuntimeException);
  EXPECT_THROW(list->SetProperty("ScrollbarVertical", true), RuntimeException);
}

TEST(PropertyKeysTest, TimerKnowsNoControlKeys) {
  auto timer = std::make_shared<Timer>();
  for (const char* key : {"Name", "Index", "Left", "TabIndex", "TextFont"}) {
    EXPECT_THROW(timer->SetProperty(key, 0), RuntimeException) << key;
  }
}

}  // namespace
