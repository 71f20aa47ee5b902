// The class of Window1's three alert buttons, the control array "AlertButton": a bevel
// button that is constructed with its index in the array.
#pragma once

#include <cstdint>
#include <string>

#include "framework/BevelButton.h"
#include "framework/PropertyValue.h"

class Window1AlertButton : public BevelButton {
 public:
  // The framework's default construction of a member: builds member 0 ("Amber Alert") and
  // registers it with its window. A window that is not a Window1 raises NilObjectException
  // before anything is connected or registered.
  void Constructor() override;
  // Sets the member's index, then runs the default construction of a control.
  void Constructor(int32_t index);
};

// The property set of an alert button: member `index`, at `left`, in tab place `tabIndex`.
PropertyList AlertButtonProperties(int32_t index, int32_t left, int32_t tabIndex,
                                   const std::string& caption);
