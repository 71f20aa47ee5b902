#include "framework/Timer.h"

#include <QTimer>
#include <algorithm>
#include <string>

#include "framework/Dispatch.h"
#include "framework/EventLoop.h"
#include "framework/Exceptions.h"

struct Timer::Impl {
  QTimer timer;
};

Timer::Timer() : impl_(std::make_unique<Impl>()) {
  impl_->timer.setTimerType(Qt::PreciseTimer);
  // The QTimer belongs to this object, so the connection cannot outlive it.
  QObject::connect(&impl_->timer, &QTimer::timeout, [this] { Expired(); });
  Restart();
}

Timer::~Timer() {
  impl_->timer.stop();
}

void Timer::Mode(int32_t mode) {
  if (mode < kModeOff || mode > kModeMultiple) {
    throw OutOfBoundsException("timer mode " + std::to_string(mode) + " does not exist");
  }
  mode_ = mode;
  Restart();
}

void Timer::Period(int32_t milliseconds) {
  period_ = milliseconds;
  Restart();
}

void Timer::Reset() {
  Restart();
}

bool Timer::IsRunning() const {
  return impl_->timer.isActive();
}

void Timer::Restart() {
  QTimer& timer = impl_->timer;
  timer.stop();
  if (mode_ == kModeOff) return;
  timer.setSingleShot(mode_ == kModeSingle);
  // A period of 0 or less would tick on every pass of the event loop.
  timer.start(std::max(1, period_));
}

void Timer::Expired() {
  if (RuntimeModalActive()) {
    // Held back: a repeating timer just skips the tick; a one-shot one tries again.
    if (mode_ == kModeSingle) impl_->timer.start(std::max(1, period_));
    return;
  }
  if (mode_ == kModeSingle) mode_ = kModeOff;
  // Keeps the timer alive while its handler runs, should the handler drop the last
  // reference to it (closing its window, for instance).
  auto self = weak_from_this().lock();
  RuntimeDispatch([self, this] { CallAction(); });
}

void Timer::CallAction() {
  auto self = std::static_pointer_cast<Timer>(weak_from_this().lock());
  Action.Raise(self);
  auto receivers = receivers_;  // a receiver may add or remove receivers
  for (const auto& receiver : receivers) receiver->PerformAction(self);
}

void Timer::addActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) {
  if (!r) throw NilObjectException("addActionNotificationReceiver was given no receiver");
  if (std::find(receivers_.begin(), receivers_.end(), r) == receivers_.end()) {
    receivers_.push_back(std::move(r));
  }
}

void Timer::removeActionNotificationReceiver(std::shared_ptr<actionNotificationReceiver> r) {
  receivers_.erase(std::remove(receivers_.begin(), receivers_.end(), r), receivers_.end());
}

bool Timer::ApplyProperty(const std::string& key, const PropertyValue& value) {
  if (key == "Mode") {
    Mode(AsInteger(value, key));
  } else if (key == "Period") {
    Period(AsInteger(value, key));
  } else {
    return Object::ApplyProperty(key, value);
  }
  return true;
}
