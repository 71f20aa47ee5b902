// A periodic timer (not a control). Its Action is raised on the event loop through the
// dispatch point; while a modal dialog is open no Action is raised.
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
  Timer();
  ~Timer() override;

  // 0: off, 1: once, 2: repeating.
  int32_t Mode() const;
  void Mode(int32_t mode);
  // Milliseconds between Actions; a precise timer.
  int32_t Period() const;
  void Period(int32_t milliseconds);
  // Starts the period over.
  virtual void Reset();

  void addActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) override;
  void removeActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) override;
  // Raises Action and notifies the receivers; called by the timer on each expiry.
  virtual void CallAction();

  Event<Timer> Action;

  struct Impl;

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  std::unique_ptr<Impl> impl_;
};
