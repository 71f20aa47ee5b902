// Runs a built Lumivox bundle as a child process for the whole-program benchmarks: which bundles
// (the one built here by default, or others given on the command line, an older build for a
// comparison), a temporary folder to run in, the child's CPU time and peak memory from wait4,
// and its threads' time from /proc while it runs. Header only: every .cpp of bench/ is a
// benchmark of its own.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

struct Bundle {
  std::string label;
  fs::path executable;
};

// A bundle argument is LABEL=PATH or PATH; PATH is the executable or the .app folder.
inline Bundle ParseBundle(const std::string& arg) {
  Bundle b;
  const size_t eq = arg.find('=');
  std::string path = arg;
  if (eq != std::string::npos && eq > 0 && arg.find('/') > eq) {
    b.label = arg.substr(0, eq);
    path = arg.substr(eq + 1);
  }
  // Absolute: the child changes to its folder before it starts the program.
  b.executable = fs::absolute(path);
  if (fs::is_directory(b.executable)) b.executable /= "Contents/MacOS/Lumivox";
  if (b.label.empty()) b.label = path;
  return b;
}

// The bundles named by `args`; else the one LUMIVOX_BUNDLE names; else the one built here.
// Empty, after a line on stderr naming `bench` and the path, when one of them has no program.
inline std::vector<Bundle> Bundles(const std::vector<std::string>& args, const char* bench) {
  std::vector<Bundle> bundles;
  for (const std::string& arg : args) bundles.push_back(ParseBundle(arg));
  if (bundles.empty()) {
    const char* env = std::getenv("LUMIVOX_BUNDLE");
    bundles.push_back(env && *env ? ParseBundle(env) : Bundle{"built", LUMIVOX_BUNDLE_EXE});
  }
  for (const Bundle& b : bundles) {
    if (access(b.executable.c_str(), X_OK) != 0) {
      std::fprintf(stderr, "%s: no program at %s\n", bench, b.executable.c_str());
      return {};
    }
  }
  return bundles;
}

inline fs::path MakeTempFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) return {};
  return fs::path(pattern);
}

// One thread of a running process, from /proc: its name, its time on a CPU and how many times
// it was put on one (about how often it woke up).
struct ThreadTime {
  pid_t tid = 0;
  std::string name;
  double cpuSeconds = 0;
  long slices = 0;
};

inline std::vector<ThreadTime> ThreadTimes(pid_t pid) {
  std::vector<ThreadTime> threads;
  std::error_code error;
  const fs::path tasks = fs::path("/proc") / std::to_string(pid) / "task";
  for (const auto& entry : fs::directory_iterator(tasks, error)) {
    ThreadTime t;
    t.tid = static_cast<pid_t>(std::atol(entry.path().filename().c_str()));
    std::ifstream comm(entry.path() / "comm");
    std::getline(comm, t.name);
    std::ifstream schedstat(entry.path() / "schedstat");
    long long runNs = 0, waitNs = 0;
    if (schedstat >> runNs >> waitNs >> t.slices) t.cpuSeconds = static_cast<double>(runNs) / 1e9;
    threads.push_back(t);
  }
  std::sort(threads.begin(), threads.end(),
            [](const ThreadTime& a, const ThreadTime& b) { return a.tid < b.tid; });
  return threads;
}

// One run of a program in a folder: started by Start, ended by Stop (SIGTERM) or by itself.
class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ > 0) Stop();
  }

  // Starts the bundle headless in `folder`, its stderr to `folder`/stderr.txt, with `env` on
  // top of this process's environment. False when it cannot be started.
  bool Start(const fs::path& executable, const fs::path& folder,
             const std::map<std::string, std::string>& env) {
    errors_ = folder / "stderr.txt";
    const fs::path runtime = folder / "runtime";
    start_ = std::chrono::steady_clock::now();
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      if (chdir(folder.c_str()) != 0) _exit(126);
      const int fd = open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd >= 0) dup2(fd, 2);
      mkdir(runtime.c_str(), 0700);
      setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      for (const auto& [key, value] : env) setenv(key.c_str(), value.c_str(), 1);
      execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return true;
  }

  // Seconds since Start.
  double Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }
  // True while the program runs (it has not ended by itself).
  bool Running() {
    if (pid_ <= 0) return false;
    return Reap(WNOHANG);
  }

  // Ends the program with SIGTERM (SIGKILL after 5 s) unless it has ended; its resource use.
  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (Reap(WNOHANG) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      if (pid_ > 0) {
        kill(pid_, SIGKILL);
        Reap(0);
      }
    }
  }

  // Its threads now; empty when it has ended.
  std::vector<ThreadTime> Threads() const {
    return pid_ > 0 ? ThreadTimes(pid_) : std::vector<ThreadTime>{};
  }
  pid_t Pid() const { return pid_; }

  const rusage& Usage() const { return usage_; }
  // How it ended: its exit status, or 128 + the signal.
  int Status() const {
    if (WIFEXITED(status_)) return WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) return 128 + WTERMSIG(status_);
    return -1;
  }
  double WallSeconds() const { return wall_; }
  std::string Errors() const {
    std::ifstream in(errors_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  // True while the child still runs; else records its end.
  bool Reap(int options) {
    const pid_t done = wait4(pid_, &status_, options, &usage_);
    if (done == 0) return true;
    wall_ = Elapsed();
    pid_ = -1;
    return false;
  }

  pid_t pid_ = -1;
  int status_ = 0;
  rusage usage_{};
  double wall_ = 0;
  std::chrono::steady_clock::time_point start_;
  fs::path errors_;
};

}  // namespace bench
