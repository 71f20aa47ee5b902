// A static text.
#pragma once

#include <string>

#include "framework/RectControl.h"

class Label : public RectControl {
 public:
  Label();
  ~Label() override;

  std::string Text() const;
  void Text(const std::string& text);

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;
};
