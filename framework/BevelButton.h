// A bevel button, a plug-in control of the framework (RuntimeLoadPlugin("BevelButton") must
// have run before one is created). ButtonType 0 is a push button; 1 is a two-state toggle: a
// click flips Value, then raises Action; setting Value from code raises nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/Color.h"
#include "framework/Event.h"
#include "framework/RectControl.h"

class BevelButton : public RectControl {
 public:
  static constexpr int32_t kPushButton = 0;
  static constexpr int32_t kToggleButton = 1;

  BevelButton();
  ~BevelButton() override;

  std::string Caption() const;
  void Caption(const std::string& caption);
  bool Value() const { return value_; }
  void Value(bool on);
  int32_t ButtonType() const { return buttonType_; }
  // Whether the button takes the keyboard focus (by click or by tabbing).
  bool AcceptFocus() const { return acceptFocus_; }

  void RaiseOpen() override;

  Event<BevelButton> Open;
  Event<BevelButton> Action;

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  void Clicked();
  void ApplyColors();

  bool value_ = false;
  int32_t buttonType_ = kPushButton;
  bool acceptFocus_ = true;
  bool opened_ = false;
  bool hasBackColor_ = false;
  Color backColor_;
  std::optional<Color> textColor_;
};
