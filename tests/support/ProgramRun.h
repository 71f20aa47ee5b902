// Runs the built Lumivox bundle as a child process for end-to-end tests: in a temporary
// folder of the test's making, headless or on an X display, with its audio captured through
// SDL's disk driver.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

class ProgramRun {
 public:
  // A fresh temporary folder; removed when the run is destroyed.
  ProgramRun();
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  // Where the audio goes.
  std::filesystem::path CapturePath() const { return folder_ / "capture.raw"; }
  // Copies a fixture (a file of tests/fixtures) into the folder under `relative`.
  void AddFixture(const std::string& fixture, const std::string& relative);
  // A copy of the built bundle inside the folder, whose Resources the test may change; the
  // run then starts that copy.
  std::filesystem::path CopyBundle();
  // Starts `executable` (an installed copy, say) instead of the built bundle.
  void UseExecutable(const std::filesystem::path& executable) { executable_ = executable; }

  // Starts the program in the folder. `display` empty means offscreen.
  void Start(const std::string& display = "", const std::map<std::string, std::string>& env = {});
  // Waits for the program to end by itself; the exit status, or -1 after `seconds`.
  int Wait(double seconds);
  // Ends it with SIGTERM (a kill after a second) and gives the status it ended with.
  int Stop();
  pid_t Pid() const { return pid_; }
  // What the program wrote on stderr so far.
  std::string Errors() const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path executable_;
  pid_t pid_ = -1;
};

// An X server for a test (Xvfb), on a display number it picks itself; stopped when destroyed.
class XServer {
 public:
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  bool Running() const { return pid_ > 0; }
  const std::string& Display() const { return display_; }
  // Runs a command with DISPLAY set to this server; its exit status.
  int Run(const std::string& command) const;

 private:
  std::string display_;
  pid_t pid_ = -1;
};
