// A control with a place on its window: position, size, edge locks, tab order, text style.
// Subclasses give it their Qt widget (framework/qt/RectControlImpl.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Control.h"

class RectControl : public Control {
 public:
  RectControl();
  ~RectControl() override;

  // The framework's default construction of a control.
  virtual void Constructor();

  // Place and size on the window's content area, in pixels from its top-left corner.
  int32_t Left() const;
  int32_t Top() const;
  int32_t Width() const;
  int32_t Height() const;
  void Left(int32_t value);
  void Top(int32_t value);
  void Width(int32_t value);
  void Height(int32_t value);

  // A locked edge keeps its distance from the same edge of the window's content area when
  // the window is resized.
  bool LockLeft() const { return lockLeft_; }
  bool LockTop() const { return lockTop_; }
  bool LockRight() const { return lockRight_; }
  bool LockBottom() const { return lockBottom_; }

  int32_t TabIndex() const { return tabIndex_; }
  bool TabStop() const { return tabStop_; }
  bool Visible() const { return visible_; }
  bool Enabled() const;
  std::string HelpTag() const;

  // The unit of the text size.
  static constexpr int32_t kTextUnitDefault = 0;  // the platform's default unit
  int32_t TextUnit() const { return textUnit_; }
  void TextUnit(int32_t unit) { textUnit_ = unit; }
  const std::string& TextFont() const { return textFont_; }
  bool Bold() const { return bold_; }
  bool Italic() const { return italic_; }
  bool Underline() const { return underline_; }

  void CreatedFor(const std::shared_ptr<class Window>& window) override;

  // Re-places the control for a content area of that size.
  void ApplyLocks(int32_t contentWidth, int32_t contentHeight);
  void WindowResized(int32_t contentWidth, int32_t contentHeight) override {
    ApplyLocks(contentWidth, contentHeight);
  }

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  // The Qt side of the control (framework/qt/RectControlImpl.h), reached through
  // RectControlAccess.
  struct Impl;
  friend struct RectControlAccess;

  // Makes the current place the design place for the current content size.
  void Rebase();
  // Sets one coordinate of the design place, the others kept where they stand now.
  void SetDesign(int32_t RectControl::*member, int32_t value);
  void ApplyFont();

  std::unique_ptr<Impl> impl_;
  int32_t left_ = 0, top_ = 0, width_ = 100, height_ = 20;  // design place
  int32_t refWidth_ = 0, refHeight_ = 0;                    // content size it was given for
  bool lockLeft_ = true, lockTop_ = true, lockRight_ = false, lockBottom_ = false;
  int32_t tabIndex_ = 0;
  bool tabStop_ = true;
  bool visible_ = true;
  int32_t textUnit_ = kTextUnitDefault;
  std::string textFont_ = "System";
  bool bold_ = false, italic_ = false, underline_ = false;
};
