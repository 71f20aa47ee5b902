// Framework-internal: the Qt side of a RectControl, its widget and how that takes the focus.
// SetControlWidget and UpdateFocusPolicy are defined in RectControl.cpp, beside the rules of
// place and focus that they apply: in a source of their own, they and the control would call
// each other.
#pragma once

#include <QPointer>
#include <QWidget>

#include "framework/RectControl.h"

struct RectControl::Impl {
  // The control's widget, a child of its window's content area. QPointer: the window's
  // frame may be destroyed while a control is still referenced elsewhere.
  QPointer<QWidget> widget;
  // The focus the widget takes by itself, before TabStop and AcceptFocus restrict it.
  Qt::FocusPolicy naturalFocus = Qt::StrongFocus;
  // False for a control that never takes the keyboard focus (a button's AcceptFocus).
  bool acceptFocus = true;
};

// The framework's way to a control's Qt side; RectControl befriends it.
struct RectControlAccess {
  static RectControl::Impl& Of(const RectControl& control) { return *control.impl_; }
};

// Gives a control its widget; the control owns it from then on. When the control was
// created for a window, the widget goes onto that window's content area.
void SetControlWidget(RectControl& control, QWidget* widget);
// Sets the widget's focus policy from TabStop and acceptFocus.
void UpdateFocusPolicy(RectControl& control);
inline QWidget* ControlWidget(const RectControl& control) {
  return RectControlAccess::Of(control).widget;
}
