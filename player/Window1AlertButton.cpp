#include "player/Window1AlertButton.h"

#include "framework/Exceptions.h"
#include "player/Window1.h"

PropertyList AlertButtonProperties(int32_t index, int32_t left, int32_t tabIndex,
                                   const std::string& caption) {
  const Color black = Color::RGB(0, 0, 0);
  return {
      {"Name", std::string("AlertButton")},
      {"Index", index},
      {"Left", left},
      {"Top", 304},
      {"Width", 116},
      {"Height", 116},
      {"LockLeft", false},
      {"LockTop", false},
      {"LockRight", true},
      {"LockBottom", true},
      {"TabPanelIndex", 0},
      {"TabIndex", tabIndex},
      {"TabStop", true},
      {"InitialParent", std::string()},
      {"Visible", true},
      {"HelpTag", std::string()},
      {"AutoDeactivate", true},
      {"Enabled", true},
      {"Caption", caption},
      {"CaptionAlign", 3},
      {"CaptionPlacement", 1},
      {"CaptionDelta", 0},
      {"IconAlign", 0},
      {"IconDX", 0},
      {"IconDY", 0},
      {"Bevel", 0},
      {"HasMenu", 0},
      {"HasBackColor", false},
      {"BackColor", black},
      {"TextColor", black},
      {"Value", false},
      {"MenuValue", 0},
      {"ButtonType", BevelButton::kToggleButton},
      {"AcceptFocus", false},
      {"TextFont", std::string("System")},
      {"Bold", false},
      {"Italic", false},
      {"Underline", false},
  };
}

namespace {

std::shared_ptr<Window1> OwnWindow(const Control& control) {
  return NilCheck(Cast<Window1>(control.Window()));
}

}  // namespace

void Window1AlertButton::Constructor() {
  TextUnit(kTextUnitDefault);
  SetProperties(*this, AlertButtonProperties(0, 410, 5, "Amber Alert"));
  Action.Connect(OwnWindow(*this), &Window1::AlertButton_Action);
  Open.Connect(OwnWindow(*this), &Window1::AlertButton_Open);
  Index(0);
  OwnWindow(*this)->AddControl("AlertButton", shared_from_this());
  RectControl::Constructor();
}

void Window1AlertButton::Constructor(int32_t index) {
  Index(index);
  RectControl::Constructor();
}
