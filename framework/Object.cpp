#include "framework/Object.h"

#include <typeinfo>

#include "framework/Exceptions.h"

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
