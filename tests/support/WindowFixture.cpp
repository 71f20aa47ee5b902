#include "tests/support/WindowFixture.h"

#include <QCoreApplication>

#include "framework/Exceptions.h"
#include "framework/qt/RectControlImpl.h"

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

Rect PlaceOf(const RectControl& c) {
  return {c.Left(), c.Top(), c.Width(), c.Height()};
}

Rect WidgetPlaceOf(const RectControl& c) {
  QRect g = ControlWidget(c)->geometry();
  return {g.x(), g.y(), g.width(), g.height()};
}

void ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

void KeepApplicationOpen() {
  static std::weak_ptr<Window> keeper;
  if (!keeper.expired()) return;
  // Held by the framework's window list only, which the test main clears at the end.
  auto window = std::make_shared<Window>();
  window->SetProperty("Visible", false);
  window->Constructor();
  keeper = window;
}

bool CloseAndRelease(std::shared_ptr<Window>& window) {
  if (!window) return true;
  KeepApplicationOpen();
  std::weak_ptr<Window> weak = window;
  window->CloseWindow();
  window = nullptr;
  ProcessEvents();
  return weak.expired();
}

std::shared_ptr<Window> MakeBareWindow(int32_t width, int32_t height) {
  KeepApplicationOpen();
  auto window = std::make_shared<Window>();
  SetProperties(*window, {{"Width", width}, {"Height", height}});
  window->Constructor();
  return window;
}

class ExceptionRecorder::RecordingApp : public Application {
 public:
  bool UnhandledException(const RuntimeException& error) override {
    classes.emplace_back(error.ClassName());
    return true;
  }
  std::vector<std::string> classes;
};

ExceptionRecorder::ExceptionRecorder()
    : app_(std::make_shared<RecordingApp>()), previous_(RuntimeApplication()) {
  RuntimeRegisterAppObject(app_);
}

ExceptionRecorder::~ExceptionRecorder() {
  RuntimeRegisterAppObject(previous_);
}

const std::vector<std::string>& ExceptionRecorder::Classes() const {
  return app_->classes;
}
