// A private PulseAudio server for a test: one null sink, reached through a socket in a temporary
// folder of its own (runtime, state, home and logs all live there), with a recorder on the
// sink's monitor. The server can be stopped, killed and started again on the same socket, as a
// desktop session's sound server restarts under a running program. Every child it starts is
// ended when it is destroyed, and the folder removed.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

class PulseServer {
 public:
  // Whether the server and its tools (pulseaudio, parec, pactl) are installed.
  static bool Available();

  // Makes the folder; the server is not started yet.
  PulseServer();
  ~PulseServer();
  PulseServer(const PulseServer&) = delete;
  PulseServer& operator=(const PulseServer&) = delete;

  // Starts the server (again, after a stop) and waits until it takes connections; false when
  // it does not come up (its log says why).
  bool Start();
  // Ends the server as a restart would: SIGTERM, then SIGKILL after a few seconds.
  void Stop();
  // Ends the server at once with SIGKILL, as a crash would; its socket file stays behind.
  void Kill();
  bool Running() const { return pid_ > 0; }

  // The environment a client needs to reach this server and only this one.
  std::map<std::string, std::string> ClientEnvironment() const;
  // The server address in the form PULSE_SERVER takes.
  std::string Address() const { return "unix:" + socket_.string(); }

  // Records the null sink's monitor to `path` (raw signed 16-bit little-endian stereo at
  // 44.1 kHz), ending a recording still running. Returns once the first samples are in the file,
  // so the file's first frame is at most a few tens of milliseconds older than the return;
  // false when nothing comes within a few seconds. A recording ends when the server goes.
  bool Record(const std::filesystem::path& path);
  void StopRecording();

  // What the server, the recorder and pactl wrote on stderr, over every start.
  std::string Log() const;

 private:
  // Runs pactl on this server; its exit status. Its output goes to `output` when one is given.
  int Control(const std::vector<std::string>& arguments,
              const std::filesystem::path& output = {}) const;

  std::filesystem::path folder_;
  std::filesystem::path socket_;
  pid_t pid_ = -1;
  pid_t recorder_ = -1;
};
