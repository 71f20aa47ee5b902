#include "framework/BevelButton.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalBlocker>

#include "framework/Dispatch.h"
#include "framework/Exceptions.h"
#include "framework/TypeRegistry.h"
#include "framework/qt/RectControlImpl.h"

namespace {

QPushButton* ButtonWidget(const RectControl& control) {
  return static_cast<QPushButton*>(ControlWidget(control));
}

}  // namespace

BevelButton::BevelButton() {
  if (!RuntimePluginLoaded("BevelButton")) {
    throw RuntimeException("the BevelButton plug-in is not loaded");
  }
  auto* button = new QPushButton;
  button->setAutoDefault(false);
  // The widget belongs to this control and dies with it, so `this` outlives the connection.
  QObject::connect(button, &QPushButton::clicked, [this] { Clicked(); });
  SetControlWidget(*this, button);
}

BevelButton::~BevelButton() = default;

std::string BevelButton::Caption() const {
  QPushButton* button = ButtonWidget(*this);
  return button ? button->text().toStdString() : std::string();
}

void BevelButton::Caption(const std::string& caption) {
  if (QPushButton* button = ButtonWidget(*this)) button->setText(QString::fromStdString(caption));
}

void BevelButton::Value(bool on) {
  value_ = on;
  if (QPushButton* button = ButtonWidget(*this)) {
    QSignalBlocker block(button);
    button->setChecked(on && button->isCheckable());
  }
}

// Only a click of the user's comes here: QAbstractButton emits clicked for a click, not for
// setChecked.
void BevelButton::Clicked() {
  if (buttonType_ == kToggleButton) Value(!value_);
  auto self = std::static_pointer_cast<BevelButton>(weak_from_this().lock());
  if (!self) return;  // not held by anyone: no handler can be connected to it
  RuntimeDispatch([self] { self->Action.Raise(self); });
}

void BevelButton::RaiseOpen() {
  if (opened_) return;
  opened_ = true;
  auto self = std::static_pointer_cast<BevelButton>(shared_from_this());
  RuntimeDispatch([self] { self->Open.Raise(self); });
}

void BevelButton::ApplyColors() {
  QPushButton* button = ButtonWidget(*this);
  if (!button) return;
  QPalette palette = QApplication::palette(button);
  if (hasBackColor_) {
    palette.setColor(QPalette::Button, QColor(backColor_.red, backColor_.green, backColor_.blue));
  }
  if (textColor_) {
    palette.setColor(QPalette::ButtonText,
                     QColor(textColor_->red, textColor_->green, textColor_->blue));
  }
  button->setPalette(palette);
}

bool BevelButton::ApplyProperty(const std::string& key, const PropertyValue& value) {
  QPushButton* button = ButtonWidget(*this);
  if (key == "Caption") {
    Caption(AsText(value, key));
  } else if (key == "Value") {
    Value(AsBoolean(value, key));
  } else if (key == "ButtonType") {
    int32_t type = AsInteger(value, key);
    if (type != kPushButton && type != kToggleButton) {
      throw OutOfBoundsException("button type " + std::to_string(type) + " is not supported");
    }
    buttonType_ = type;
    if (button) button->setCheckable(type == kToggleButton);
    Value(value_);
  } else if (key == "AcceptFocus") {
    acceptFocus_ = AsBoolean(value, key);
    RectControlAccess::Of(*this).acceptFocus = acceptFocus_;
    UpdateFocusPolicy(*this);
  } else if (key == "HasBackColor") {
    hasBackColor_ = AsBoolean(value, key);
    ApplyColors();
  } else if (key == "BackColor") {
    backColor_ = AsColor(value, key);
    ApplyColors();
  } else if (key == "TextColor") {
    textColor_ = AsColor(value, key);
    ApplyColors();
  } else if (key == "CaptionAlign" || key == "CaptionPlacement" || key == "CaptionDelta" ||
             key == "IconAlign" || key == "IconDX" || key == "IconDY" || key == "Bevel" ||
             key == "HasMenu" || key == "MenuValue") {
    // The caption is centred and the button has no icon, bevel choice or menu here.
    AsInteger(value, key);
  } else {
    return RectControl::ApplyProperty(key, value);
  }
  return true;
}
