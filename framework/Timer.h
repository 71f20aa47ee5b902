// A periodic timer (not a control). Its Action is raised on the event loop through the
// dispatch point; while a modal dialog is open no Action is raised (a repeating timer skips
// those ticks, a one-shot timer fires once the dialog has closed).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Event.h"
#include "framework/Object.h"

// Receives a timer's Action notifications (the actionSource interface).
class actionNotificationReceiver {
 public:
  virtual ~actionNotificationReceiver() = default;
  virtual void PerformAction(const std::shared_ptr<Object>& sender) = 0;
};

class actionSource {
 public:
  virtual ~actionSource() = default;
  virtual void addActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) = 0;
  virtual void removeActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) = 0;
};

class Timer : public Object, public actionSource {
 public:
  static constexpr int32_t kModeOff = 0;
  static constexpr int32_t kModeSingle = 1;
  static constexpr int32_t kModeMultiple = 2;

  Timer();
  ~Timer() override;

  // 0: off, 1: once (the mode falls back to 0 when it has fired), 2: repeating. Another
  // value raises OutOfBoundsException.
  int32_t Mode() const { return mode_; }
  void Mode(int32_t mode);
  // Milliseconds between Actions (at least 1 is used); a precise timer.
  int32_t Period() const { return period_; }
  void Period(int32_t milliseconds);
  // Starts the period over.
  virtual void Reset();

  void addActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) override;
  void removeActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) override;
  // Raises Action and notifies the receivers; called through the dispatch point on each
  // expiry. What the handler raises passes to the caller.
  virtual void CallAction();

  // Whether the underlying timer runs (framework and tests).
  bool IsRunning() const;

  Event<Timer> Action;

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  struct Impl;  // the QTimer

  void Restart();
  void Expired();

  std::unique_ptr<Impl> impl_;
  int32_t mode_ = kModeMultiple;
  int32_t period_ = 1000;
  std::vector<std::shared_ptr<actionNotificationReceiver>> receivers_;
};
