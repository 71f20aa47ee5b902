#include "framework/RectControl.h"

#include <QApplication>
#include <algorithm>

#include "framework/Window.h"
#include "framework/qt/RectControlImpl.h"
#include "framework/qt/WindowImpl.h"

RectControl::RectControl() : impl_(std::make_unique<Impl>()) {}

RectControl::~RectControl() {
  delete impl_->widget.data();
}

void SetControlWidget(RectControl& control, QWidget* widget) {
  auto& impl = RectControlAccess::Of(control);
  delete impl.widget.data();
  impl.widget = widget;
  impl.naturalFocus = widget->focusPolicy();
  UpdateFocusPolicy(control);
  auto window = control.Window();
  control.ApplyLocks(window ? window->Width() : 0, window ? window->Height() : 0);
  // A widget without a window stays hidden: shown on its own it would be a top-level window.
  if (window) {
    widget->setParent(ContentWidget(*window));
    widget->setVisible(control.Visible());
  }
}

void UpdateFocusPolicy(RectControl& control) {
  auto& impl = RectControlAccess::Of(control);
  if (!impl.widget) return;
  Qt::FocusPolicy policy = impl.naturalFocus;
  if (!impl.acceptFocus) {
    policy = Qt::NoFocus;
  } else if (!control.TabStop()) {
    // Out of the tab chain; a click may still give it the focus.
    policy = (policy & Qt::ClickFocus) ? Qt::ClickFocus : Qt::NoFocus;
  }
  impl.widget->setFocusPolicy(policy);
}

void RectControl::Constructor() {
  Rebase();
}

void RectControl::CreatedFor(const std::shared_ptr<class Window>& window) {
  Control::CreatedFor(window);
  Rebase();
  if (QWidget* widget = impl_->widget) {
    widget->setParent(ContentWidget(*window));
    ApplyLocks(window->Width(), window->Height());
    widget->setVisible(visible_);
  }
}

namespace {

// Sets the keyboard focus chain of a window's controls in the order of their TabIndex.
void UpdateTabOrder(const Window& window) {
  std::vector<std::pair<int32_t, QWidget*>> chain;
  for (const auto& object : window.Controls()) {
    auto* control = dynamic_cast<RectControl*>(object.get());
    if (control && ControlWidget(*control)) {
      chain.emplace_back(control->TabIndex(), ControlWidget(*control));
    }
  }
  std::stable_sort(chain.begin(), chain.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < chain.size(); ++i) {
    QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
  }
}

int32_t Offset(bool lockNear, bool lockFar, int32_t delta, bool forPosition) {
  if (forPosition) return (lockFar && !lockNear) ? delta : 0;
  return (lockNear && lockFar) ? delta : 0;
}

}  // namespace

int32_t RectControl::Left() const {
  auto window = Window();
  int32_t dx = window ? window->Width() - refWidth_ : 0;
  return left_ + Offset(lockLeft_, lockRight_, dx, true);
}

int32_t RectControl::Top() const {
  auto window = Window();
  int32_t dy = window ? window->Height() - refHeight_ : 0;
  return top_ + Offset(lockTop_, lockBottom_, dy, true);
}

int32_t RectControl::Width() const {
  auto window = Window();
  int32_t dx = window ? window->Width() - refWidth_ : 0;
  return std::max(0, width_ + Offset(lockLeft_, lockRight_, dx, false));
}

int32_t RectControl::Height() const {
  auto window = Window();
  int32_t dy = window ? window->Height() - refHeight_ : 0;
  return std::max(0, height_ + Offset(lockTop_, lockBottom_, dy, false));
}

void RectControl::Rebase() {
  int32_t l = Left(), t = Top(), w = Width(), h = Height();
  left_ = l, top_ = t, width_ = w, height_ = h;
  auto window = Window();
  refWidth_ = window ? window->Width() : 0;
  refHeight_ = window ? window->Height() : 0;
}

void RectControl::SetDesign(int32_t RectControl::*member, int32_t value) {
  Rebase();
  this->*member = value;
  ApplyLocks(refWidth_, refHeight_);
}

void RectControl::Left(int32_t value) {
  SetDesign(&RectControl::left_, value);
}

void RectControl::Top(int32_t value) {
  SetDesign(&RectControl::top_, value);
}

void RectControl::Width(int32_t value) {
  SetDesign(&RectControl::width_, value);
}

void RectControl::Height(int32_t value) {
  SetDesign(&RectControl::height_, value);
}

void RectControl::ApplyLocks(int32_t contentWidth, int32_t contentHeight) {
  QWidget* widget = impl_->widget;
  if (!widget) return;
  int32_t dx = contentWidth - refWidth_, dy = contentHeight - refHeight_;
  widget->setGeometry(left_ + Offset(lockLeft_, lockRight_, dx, true),
                      top_ + Offset(lockTop_, lockBottom_, dy, true),
                      std::max(0, width_ + Offset(lockLeft_, lockRight_, dx, false)),
                      std::max(0, height_ + Offset(lockTop_, lockBottom_, dy, false)));
}

bool RectControl::Enabled() const {
  return impl_->widget && impl_->widget->isEnabled();
}
std::string RectControl::HelpTag() const {
  return impl_->widget ? impl_->widget->toolTip().toStdString() : std::string();
}

void RectControl::ApplyFont() {
  QWidget* widget = impl_->widget;
  if (!widget) return;
  // "System" is the platform's interface font; any other name is a family.
  QFont font =
      textFont_ == "System" ? QApplication::font() : QFont(QString::fromStdString(textFont_));
  font.setBold(bold_);
  font.setItalic(italic_);
  font.setUnderline(underline_);
  widget->setFont(font);
}

bool RectControl::ApplyProperty(const std::string& key, const PropertyValue& value) {
  QWidget* widget = impl_->widget;
  if (key == "Left") {
    Left(AsInteger(value, key));
  } else if (key == "Top") {
    Top(AsInteger(value, key));
  } else if (key == "Width") {
    Width(AsInteger(value, key));
  } else if (key == "Height") {
    Height(AsInteger(value, key));
  } else if (key == "LockLeft" || key == "LockTop" || key == "LockRight" || key == "LockBottom") {
    Rebase();
    bool lock = AsBoolean(value, key);
    (key == "LockLeft"    ? lockLeft_
     : key == "LockTop"   ? lockTop_
     : key == "LockRight" ? lockRight_
                          : lockBottom_) = lock;
  } else if (key == "TabIndex") {
    tabIndex_ = AsInteger(value, key);
    if (auto window = Window()) UpdateTabOrder(*window);
  } else if (key == "TabStop") {
    tabStop_ = AsBoolean(value, key);
    UpdateFocusPolicy(*this);
  } else if (key == "Visible") {
    visible_ = AsBoolean(value, key);
    if (widget && widget->parentWidget()) widget->setVisible(visible_);
  } else if (key == "Enabled") {
    if (widget) widget->setEnabled(AsBoolean(value, key));
  } else if (key == "HelpTag") {
    if (widget) widget->setToolTip(QString::fromStdString(AsText(value, key)));
  } else if (key == "TextFont") {
    textFont_ = AsText(value, key);
    ApplyFont();
  } else if (key == "Bold" || key == "Italic" || key == "Underline") {
    (key == "Bold" ? bold_ : key == "Italic" ? italic_ : underline_) = AsBoolean(value, key);
    ApplyFont();
  } else if (key == "TabPanelIndex") {
    AsInteger(value, key);  // no tab panels on this window
  } else if (key == "AutoDeactivate") {
    AsBoolean(value, key);  // Qt deactivates controls of inactive windows by itself
  } else if (key == "InitialParent" || key == "DataSource" || key == "DataField") {
    AsText(value, key);  // no containers or data bindings here
  } else {
    return Control::ApplyProperty(key, value);
  }
  return true;
}
