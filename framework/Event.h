// A control's event and its one connection to a window's handler. The connection holds the
// window weakly: raising an event whose window is gone raises NilObjectException and calls
// no handler. Controls raise their events through RuntimeDispatch, never directly from Qt.
#pragma once

#include <functional>
#include <memory>

#include "framework/Exceptions.h"

template <typename Sender, typename Result = void, typename... Args>
class Event {
 public:
  using Handler = std::function<Result(std::shared_ptr<Sender>, Args...)>;

  // Connects the event to a handler method of a window (or of any object held by
  // std::shared_ptr), holding that object weakly.
  template <typename Target>
  void Connect(const std::shared_ptr<Target>& target,
               Result (Target::*method)(std::shared_ptr<Sender>, Args...)) {
    std::weak_ptr<Target> weak = target;
    handler_ = [weak, method](std::shared_ptr<Sender> sender, Args... args) -> Result {
      std::shared_ptr<Target> strong = weak.lock();
      if (!strong) throw NilObjectException("an event arrived for a window that is gone");
      return ((*strong).*method)(std::move(sender), args...);
    };
  }
  void Connect(Handler handler) { handler_ = std::move(handler); }

  bool IsConnected() const { return static_cast<bool>(handler_); }

  // Calls the handler; without a connection, gives a default Result.
  Result Raise(std::shared_ptr<Sender> sender, Args... args) const {
    if (!handler_) return Result();
    return handler_(std::move(sender), args...);
  }

 private:
  Handler handler_;
};
