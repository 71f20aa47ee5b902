#include "tests/support/ProgramRun.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/Fixtures.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "lumivox-e2e-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot make a temporary folder");
  return fs::path(buffer.data());
}

int StatusOf(int raw) {
  if (WIFEXITED(raw)) return WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
  return -1;
}

// Waits up to `seconds` for a child; its status, or -1 while it still runs.
int WaitFor(pid_t pid, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (true) {
    int raw = 0;
    pid_t done = waitpid(pid, &raw, WNOHANG);
    if (done == pid) return StatusOf(raw);
    if (done < 0) return -1;
    if (std::chrono::steady_clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

ProgramRun::ProgramRun() : folder_(MakeTempFolder()), executable_(LUMIVOX_BUNDLE_EXE) {}

ProgramRun::~ProgramRun() {
  if (pid_ > 0) Stop();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

void ProgramRun::AddFixture(const std::string& fixture, const std::string& relative) {
  fs::path target = folder_ / relative;
  fs::create_directories(target.parent_path());
  fs::copy_file(FixturePath(fixture), target, fs::copy_options::overwrite_existing);
}

fs::path ProgramRun::CopyBundle() {
  fs::path bundle = fs::path(LUMIVOX_BUNDLE_EXE).parent_path().parent_path().parent_path();
  fs::path copy = folder_ / "bundle" / "Lumivox.app";
  fs::create_directories(copy.parent_path());
  fs::copy(bundle, copy, fs::copy_options::recursive);
  executable_ = copy / "Contents" / "MacOS" / "Lumivox";
  return copy;
}

void ProgramRun::Start(const std::string& display, const std::map<std::string, std::string>& env) {
  std::string errors = (folder_ / "stderr.txt").string();
  std::string capture = CapturePath().string();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    if (chdir(folder_.c_str()) != 0) _exit(126);
    FILE* err = freopen(errors.c_str(), "w", stderr);
    (void)err;
    if (display.empty()) {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("DISPLAY", display.c_str(), 1);
    }
    std::string runtime = (folder_ / "runtime").string();
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    for (const auto& [key, value] : env) setenv(key.c_str(), value.c_str(), 1);
    execl(executable_.c_str(), executable_.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

int ProgramRun::Wait(double seconds) {
  if (pid_ <= 0) return -1;
  int status = WaitFor(pid_, seconds);
  if (status >= 0) pid_ = -1;
  return status;
}

int ProgramRun::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = WaitFor(pid_, 5.0);
  if (status < 0) {
    kill(pid_, SIGKILL);
    status = WaitFor(pid_, 5.0);
  }
  pid_ = -1;
  return status;
}

std::string ProgramRun::Errors() const {
  return ReadFileBytes(folder_ / "stderr.txt");
}

XServer::XServer() {
  // Xvfb picks a free display itself and writes its number to the pipe once it listens, so two
  // tests starting at once cannot end up on one server. Without -noreset the server resets when
  // its last client leaves, and a client connecting during the reset is refused.
  int ready[2];
  if (pipe(ready) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    FILE* quiet = freopen("/dev/null", "w", stderr);
    (void)quiet;
    std::string fd = std::to_string(ready[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  std::string number;
  if (pid_ > 0) {
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  }
  close(ready[0]);
  if (!number.empty()) {
    display_ = ":" + number;
    return;
  }
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    WaitFor(pid_, 2.0);
  }
  pid_ = -1;
}

XServer::~XServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    WaitFor(pid_, 5.0);
  }
}

int XServer::Run(const std::string& command) const {
  std::string line = "DISPLAY=" + display_ + " " + command;
  int raw = std::system(line.c_str());
  return raw == -1 ? -1 : StatusOf(raw);
}
