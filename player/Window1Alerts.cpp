// Alert mode: the alert buttons' handlers.
#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "player/AlertSounds.h"
#include "player/Window1.h"

void Window1::AlertButton_Open(std::shared_ptr<BevelButton> /*button*/) {
  alertSound[0] = amberalert();
  alertSound[1] = gateclosed();
}

void Window1::AlertButton_Action(std::shared_ptr<BevelButton> button) {
  int32_t clicked = NilCheck(button)->Index();
  for (int32_t i = 0;; ++i) {
    std::shared_ptr<BevelButton> other = AlertButton(i);
    if (!other) break;
    if (i != clicked) other->Value(false);
  }
}
