// The root of the framework's classes. Objects are owned through std::shared_ptr; an object
// that hands out references to itself (windows to their controls, controls to their events)
// must have been made with std::make_shared.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/PropertyValue.h"

class Window;

class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  // Applies one property. Raises RuntimeException for a key the class does not know, and
  // TypeMismatchException for a value of the wrong kind.
  void SetProperty(const std::string& key, const PropertyValue& value);
  // The value last applied under a key, if any.
  std::optional<PropertyValue> Property(std::string_view key) const;

  // Called once by Window::New when the object is created for a window.
  virtual void CreatedFor(const std::shared_ptr<Window>& window);

 protected:
  // Gives the value to the class; returns false for a key that the class does not know.
  // Overrides handle their own keys and fall back to their base class.
  virtual bool ApplyProperty(const std::string& key, const PropertyValue& value);
  // The class name used in messages.
  virtual std::string ClassNameForMessages() const;

  template <typename T>
  std::shared_ptr<T> SharedAs() {
    return std::static_pointer_cast<T>(shared_from_this());
  }

 private:
  std::map<std::string, PropertyValue, std::less<>> properties_;
};

// Applies a property set to an object, key by key, in its order.
void SetProperties(Object& object, const PropertyList& properties);

// The framework's class-verifying cast: the same object typed as T, or null when the
// reference is null or the object is of another class.
template <typename T, typename U>
std::shared_ptr<T> Cast(const std::shared_ptr<U>& ref) {
  return std::dynamic_pointer_cast<T>(ref);
}
