#include "framework/Object.h"

#include <typeinfo>

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

void Object::SetProperty(const std::string& key, const PropertyValue& value) {
  if (!ApplyProperty(key, value)) {
    throw RuntimeException("unknown property " + key + " of " + ClassNameForMessages());
  }
  properties_.insert_or_assign(key, value);
}

std::optional<PropertyValue> Object::Property(std::string_view key) const {
  auto it = properties_.find(key);
  if (it == properties_.end()) return std::nullopt;
  return it->second;
}

void Object::CreatedFor(const std::shared_ptr<Window>&) {}

bool Object::ApplyProperty(const std::string&, const PropertyValue&) {
  return false;
}

std::string Object::ClassNameForMessages() const {
  return typeid(*this).name();
}

void SetProperties(Object& object, const PropertyList& properties) {
  for (const auto& [key, value] : properties) object.SetProperty(key, value);
}
