// Helpers for tests that build windows and controls.
//
// Closing a test's window must not end the application for the tests that follow, and a
// window whose children hold it (a timer) is released only once it has been closed, so tests
// close their windows through CloseAndRelease.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/RectControl.h"
#include "framework/Window.h"

// A control's place: left, top, width, height.
struct Rect {
  int32_t left, top, width, height;
  friend bool operator==(const Rect&, const Rect&) = default;
};
std::ostream& operator<<(std::ostream& out, const Rect& r);
// As the control reports it, and as its widget stands on the window.
Rect PlaceOf(const RectControl& control);
Rect WidgetPlaceOf(const RectControl& control);

// Processes pending Qt events (posted events and zero-delay timers).
void ProcessEvents();

// Keeps one hidden window open for the whole test run, so that closing a test's window
// never counts as closing the last window (which would quit the application).
void KeepApplicationOpen();

// Closes the window as its close box does, lets the framework drop it, then drops the
// caller's reference. Gives true when the window object has been released.
bool CloseAndRelease(std::shared_ptr<Window>& window);
template <typename T>
bool CloseAndRelease(std::shared_ptr<T>& window) {
  std::shared_ptr<Window> base = std::move(window);
  window = nullptr;
  return CloseAndRelease(base);
}

// A bare window of the given content size, constructed (shown offscreen) with no controls.
std::shared_ptr<Window> MakeBareWindow(int32_t width = 800, int32_t height = 480);

// Registered as the application object while it lives: records the class name of every
// exception that reaches the application's exception policy, and marks it handled.
class ExceptionRecorder {
 public:
  ExceptionRecorder();
  ~ExceptionRecorder();
  ExceptionRecorder(const ExceptionRecorder&) = delete;
  ExceptionRecorder& operator=(const ExceptionRecorder&) = delete;

  const std::vector<std::string>& Classes() const;

 private:
  class RecordingApp;
  std::shared_ptr<RecordingApp> app_;
  std::shared_ptr<Application> previous_;
};
