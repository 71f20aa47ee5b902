#include "tests/support/PulseServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/Fixtures.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSink = "lumivox";

fs::path MakeTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "lumivox-pulse-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot make a temporary folder");
  return fs::path(buffer.data());
}

// Waits up to `seconds` for a child to end; true once it has (and is reaped).
bool Reap(pid_t pid, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (true) {
    int raw = 0;
    pid_t done = waitpid(pid, &raw, WNOHANG);
    if (done == pid || done < 0) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// Ends a child: `signal` first, SIGKILL when it is still there after `grace` seconds.
void End(pid_t& pid, int signal, double grace) {
  if (pid <= 0) return;
  kill(pid, signal);
  if (!Reap(pid, grace)) {
    kill(pid, SIGKILL);
    Reap(pid, 5.0);
  }
  pid = -1;
}

// Whether a server listens on the socket. A socket file left by a killed server refuses.
bool Answers(const fs::path& socket) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
  bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);
  return ok;
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && access((fs::path(folder) / program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Sends the child's stderr (and stdout, unless it has a use) to the end of `log`.
void RedirectToLog(const fs::path& log, bool alsoStdout) {
  int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  dup2(fd, STDERR_FILENO);
  if (alsoStdout) dup2(fd, STDOUT_FILENO);
}

}  // namespace

bool PulseServer::Available() {
  return OnPath("pulseaudio") && OnPath("parec") && OnPath("pactl");
}

PulseServer::PulseServer() : folder_(MakeTempFolder()), socket_(folder_ / "native") {
  for (const char* sub : {"home", "runtime", "state"}) {
    fs::create_directories(folder_ / sub);
    fs::permissions(folder_ / sub, fs::perms::owner_all);
  }
  // Clients never start a server of their own, and read the cookie of this one.
  std::ofstream(folder_ / "client.conf")
      << "autospawn = no\n"
      << "cookie-file = " << (folder_ / "home" / ".config" / "pulse" / "cookie").string() << "\n";
}

PulseServer::~PulseServer() {
  StopRecording();
  Stop();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

bool PulseServer::Start() {
  if (pid_ > 0) return true;
  const fs::path log = folder_ / "server.log";
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    RedirectToLog(log, true);
    // Everything the daemon keeps goes into the folder; no session bus, no X display.
    setenv("HOME", (folder_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder_ / "home" / ".config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (folder_ / "runtime").c_str(), 1);
    setenv("PULSE_RUNTIME_PATH", (folder_ / "runtime").c_str(), 1);
    setenv("PULSE_STATE_PATH", (folder_ / "state").c_str(), 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (folder_ / "no-bus").string()).c_str(), 1);
    unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    unsetenv("DISPLAY");
    unsetenv("PULSE_SERVER");
    // No default script (-n): the sink first, so that once the socket answers the sink is
    // there. Shared memory off, so a killed server leaves nothing in /dev/shm.
    const std::string sink =
        std::string("module-null-sink sink_name=") + kSink + " format=s16le rate=44100 channels=2";
    const std::string native =
        "module-native-protocol-unix auth-anonymous=1 socket=" + socket_.string();
    const std::string loadSink = "--load=" + sink;
    const std::string loadNative = "--load=" + native;
    execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no",
           "--exit-idle-time=-1", "--disallow-exit", "--disable-shm=yes", "--realtime=no",
           "--high-priority=no", "--no-cpu-limit", "--log-target=stderr", "--log-level=error",
           loadSink.c_str(), loadNative.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Answers(socket_)) return true;
    int raw = 0;
    if (waitpid(pid_, &raw, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  End(pid_, SIGKILL, 5.0);
  return false;
}

void PulseServer::Stop() {
  End(pid_, SIGTERM, 3.0);
  // The recorder has lost its server too.
  End(recorder_, SIGTERM, 2.0);
}

void PulseServer::Kill() {
  End(pid_, SIGKILL, 5.0);
  End(recorder_, SIGTERM, 2.0);
}

std::map<std::string, std::string> PulseServer::ClientEnvironment() const {
  return {{"PULSE_SERVER", Address()}, {"PULSE_CLIENTCONFIG", (folder_ / "client.conf").string()}};
}

bool PulseServer::Record(const fs::path& path) {
  StopRecording();
  if (pid_ <= 0) return false;
  const fs::path log = folder_ / "recorder.log";
  const auto environment = ClientEnvironment();
  recorder_ = fork();
  if (recorder_ < 0) throw std::runtime_error("fork failed");
  if (recorder_ == 0) {
    RedirectToLog(log, false);
    int out = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) _exit(126);
    dup2(out, STDOUT_FILENO);
    close(out);
    for (const auto& [key, value] : environment) setenv(key.c_str(), value.c_str(), 1);
    const std::string device = std::string("--device=") + kSink + ".monitor";
    execlp("parec", "parec", device.c_str(), "--raw", "--format=s16le", "--rate=44100",
           "--channels=2", "--latency-msec=10", "--client-name=lumivox-test-recorder",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  // The null sink renders as far ahead as the latency its clients asked for when it last
  // started, up to two seconds while none had asked, and the monitor sees nothing of a block
  // until it is rendered. Once the recorder's stream is there, a suspend and resume starts the
  // sink over at the recorder's latency, so what is played shows up in the file at once.
  const fs::path listing = folder_ / "source-outputs.txt";
  const std::string mark = "application.process.id = \"" + std::to_string(recorder_) + "\"";
  const auto attached = [&] {
    if (Control({"list", "source-outputs"}, listing) != 0) return false;
    return ReadFileBytes(listing).find(mark) != std::string::npos;
  };
  const auto recorderEnded = [this] {
    int raw = 0;
    if (waitpid(recorder_, &raw, WNOHANG) != recorder_) return false;
    recorder_ = -1;
    return true;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  const auto late = [&] { return std::chrono::steady_clock::now() >= deadline; };
  const auto fail = [this] {
    StopRecording();
    return false;
  };
  while (!attached()) {
    if (recorderEnded() || late()) return fail();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (Control({"suspend-sink", kSink, "1"}) != 0 || Control({"suspend-sink", kSink, "0"}) != 0) {
    return fail();
  }
  while (true) {
    std::error_code missing;
    if (fs::file_size(path, missing) > 0 && !missing) return true;
    if (recorderEnded() || late()) return fail();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

int PulseServer::Control(const std::vector<std::string>& arguments, const fs::path& output) const {
  const fs::path log = folder_ / "control.log";
  const auto environment = ClientEnvironment();
  std::vector<std::string> line = {"pactl"};
  line.insert(line.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : line) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    RedirectToLog(log, output.empty());
    if (!output.empty()) {
      int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out < 0) _exit(126);
      dup2(out, STDOUT_FILENO);
      close(out);
    }
    for (const auto& [key, value] : environment) setenv(key.c_str(), value.c_str(), 1);
    execvp("pactl", argv.data());
    _exit(127);
  }
  int raw = 0;
  if (waitpid(pid, &raw, 0) != pid) return -1;
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

void PulseServer::StopRecording() {
  End(recorder_, SIGTERM, 2.0);
}

std::string PulseServer::Log() const {
  std::stringstream text;
  for (const char* name : {"server.log", "recorder.log", "control.log"}) {
    std::ifstream in(folder_ / name);
    if (in) text << "--- " << name << "\n" << in.rdbuf();
  }
  return text.str();
}
