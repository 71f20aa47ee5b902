// A bevel button, a plug-in control of the framework (RuntimeLoadPlugin("BevelButton") must
// have run before one is created). With ButtonType 1 it is a two-state toggle: a click flips
// Value, then raises Action; setting Value from code raises nothing.
#pragma once

#include <string>

#include "framework/Event.h"
#include "framework/RectControl.h"

class BevelButton : public RectControl {
 public:
  BevelButton();
  ~BevelButton() override;

  std::string Caption() const;
  void Caption(const std::string& caption);
  bool Value() const;
  void Value(bool on);
  int32_t ButtonType() const;

  void RaiseOpen() override;

  Event<BevelButton> Open;
  Event<BevelButton> Action;

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;
};
