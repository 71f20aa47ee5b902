#include "framework/Control.h"

bool Control::ApplyProperty(const std::string& key, const PropertyValue& value) {
  if (key == "Name") {
    name_ = AsText(value, key);
  } else if (key == "Index") {
    index_ = AsInteger(value, key);
  } else {
    return Object::ApplyProperty(key, value);
  }
  return true;
}
