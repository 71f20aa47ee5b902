#pragma once

#include "framework/Application.h"

// The application class. It implements none of the application's events and has no state
// of its own.
class App : public Application {
 public:
  void Constructor() {}
};
