// A static text.
#pragma once

#include <string>

#include "framework/RectControl.h"

class Label : public RectControl {
 public:
  // TextAlign: the default (left), left, centre, right.
  static constexpr int32_t kAlignDefault = 0;
  static constexpr int32_t kAlignLeft = 1;
  static constexpr int32_t kAlignCenter = 2;
  static constexpr int32_t kAlignRight = 3;

  Label();
  ~Label() override;

  std::string Text() const;
  void Text(const std::string& text);

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;
};
