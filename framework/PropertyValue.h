#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "framework/Color.h"

// One value of a property set: a Boolean, an integer, a real, a text or a colour.
using PropertyValue = std::variant<bool, int32_t, double, std::string, Color>;

// A property set: keys and values, applied in their order.
using PropertyList = std::vector<std::pair<std::string, PropertyValue>>;

// Typed reads of a property value; a value of another kind raises TypeMismatchException
// naming the key.
bool AsBoolean(const PropertyValue& value, std::string_view key);
int32_t AsInteger(const PropertyValue& value, std::string_view key);
std::string AsText(const PropertyValue& value, std::string_view key);
Color AsColor(const PropertyValue& value, std::string_view key);
