#include "framework/PropertyValue.h"

#include "framework/Exceptions.h"

namespace {

template <typename T>
const T& Expect(const PropertyValue& value, std::string_view key, const char* kind) {
  if (const T* v = std::get_if<T>(&value)) return *v;
  throw TypeMismatchException("property " + std::string(key) + " expects " + kind);
}

}  // namespace

bool AsBoolean(const PropertyValue& value, std::string_view key) {
  return Expect<bool>(value, key, "a Boolean");
}

int32_t AsInteger(const PropertyValue& value, std::string_view key) {
  return Expect<int32_t>(value, key, "an integer");
}

std::string AsText(const PropertyValue& value, std::string_view key) {
  return Expect<std::string>(value, key, "a text");
}

Color AsColor(const PropertyValue& value, std::string_view key) {
  return Expect<Color>(value, key, "a colour");
}
