// `cmake --install` of this build folder into a temporary prefix: the layout a packager and a
// desktop user expect, and the installed `lumivox` command starting a program that finds its
// alert sounds and plays.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Fixtures.h"
#include "tests/support/Pcm.h"
#include "tests/support/ProgramRun.h"

namespace fs = std::filesystem;

namespace {

const char* const kAlertSounds[] = {"amber-alert.mp3", "gate-closed.mp3"};

// The desktop entry's keys and values.
std::map<std::string, std::string> DesktopEntry(const fs::path& path) {
  std::map<std::string, std::string> keys;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) keys[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return keys;
}

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "lumivox-install-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // Runs `cmake --install` of the build folder into `prefix`, under `destdir` unless it is
  // empty; its exit status. What it printed is in Log().
  int Install(const fs::path& prefix, const fs::path& destdir = {}) {
    const std::string log = Log().string();
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
      if (destdir.empty()) {
        unsetenv("DESTDIR");
      } else {
        setenv("DESTDIR", destdir.c_str(), 1);
      }
      const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0 || dup2(fd, STDERR_FILENO) < 0) _exit(126);
      execl(LUMIVOX_CMAKE_COMMAND, LUMIVOX_CMAKE_COMMAND, "--install", LUMIVOX_BUILD_DIR,
            "--prefix", prefix.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int raw = 0;
    if (waitpid(pid, &raw, 0) != pid) return -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  fs::path Log() const { return root_ / "install.log"; }
  std::string LogText() const { return ReadFileBytes(Log()); }

  fs::path root_;
};

struct LayoutCase {
  std::string name;
  bool destdir;  // staged under DESTDIR, as a package build does
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  *os << c.name;
}

class InstallLayoutTest : public InstallTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(InstallLayoutTest, GivesTheCommandTheBundleAndTheDesktopEntry) {
  const fs::path prefix = root_ / "prefix";
  const fs::path destdir = GetParam().destdir ? root_ / "stage" : fs::path();
  // Installed twice: a second install over the first replaces what it left.
  ASSERT_EQ(Install(prefix, destdir), 0) << LogText();
  ASSERT_EQ(Install(prefix, destdir), 0) << LogText();
  const fs::path top = destdir.empty() ? prefix : destdir / prefix.relative_path();
  if (!destdir.empty()) {
    EXPECT_FALSE(fs::exists(prefix)) << "written outside DESTDIR";
  }

  const fs::path bundle = top / LUMIVOX_INSTALL_BUNDLE;
  const fs::path executable = bundle / "Contents" / "MacOS" / "Lumivox";
  ASSERT_TRUE(fs::is_regular_file(executable)) << LogText();
  EXPECT_NE(fs::status(executable).permissions() & fs::perms::owner_exec, fs::perms::none);

  // The command is a relative link, so it keeps working wherever the staged tree is moved to.
  const fs::path command = top / LUMIVOX_INSTALL_BINDIR / "lumivox";
  ASSERT_TRUE(fs::is_symlink(command)) << LogText();
  EXPECT_TRUE(fs::read_symlink(command).is_relative()) << fs::read_symlink(command);
  EXPECT_EQ(fs::canonical(command), fs::canonical(executable));

  // The alert sounds, byte for byte, and nothing else.
  std::set<std::string> installed;
  for (const auto& entry : fs::directory_iterator(bundle / "Contents" / "Resources")) {
    installed.insert(entry.path().filename().string());
  }
  EXPECT_EQ(installed, (std::set<std::string>(std::begin(kAlertSounds), std::end(kAlertSounds))));
  for (const char* name : kAlertSounds) {
    const std::string source = ReadFileBytes(fs::path(LUMIVOX_SOURCE_DIR) / "resources" / name);
    ASSERT_FALSE(source.empty()) << name;
    EXPECT_TRUE(ReadFileBytes(bundle / "Contents" / "Resources" / name) == source) << name;
  }

  const fs::path desktop = top / LUMIVOX_INSTALL_DATADIR / "applications" / "lumivox.desktop";
  ASSERT_TRUE(fs::is_regular_file(desktop)) << LogText();
  std::map<std::string, std::string> entry = DesktopEntry(desktop);
  EXPECT_EQ(entry["Type"], "Application");
  EXPECT_EQ(entry["Name"], "Lumivox");
  EXPECT_EQ(entry["Exec"], command.filename().string());
  EXPECT_FALSE(entry["Icon"].empty());
  EXPECT_EQ(entry["Categories"].rfind("AudioVideo;", 0), 0u) << entry["Categories"];
}

INSTANTIATE_TEST_SUITE_P(Installs, InstallLayoutTest,
                         ::testing::Values(LayoutCase{"Prefix", false},
                                           LayoutCase{"Destdir", true}),
                         [](const auto& info) { return info.param.name; });

// What the program wrote on stderr, without the notice SDL's disk driver always prints.
std::string ErrorsBeyondTheDiskDriversNotice(const std::string& errors) {
  std::istringstream in(errors);
  std::string rest;
  std::string line;
  while (std::getline(in, line)) {
    const bool notice = line.rfind("CRITICAL: ", 0) == 0 &&
                        (line.find("disk i/o audio driver") != std::string::npos ||
                         line.find("Writing to file") != std::string::npos);
    if (!notice) rest += line + "\n";
  }
  return rest;
}

// Watches a folder for files opened in it.
class OpenWatch {
 public:
  explicit OpenWatch(const fs::path& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0) inotify_add_watch(fd_, folder.c_str(), IN_OPEN);
  }
  ~OpenWatch() {
    if (fd_ >= 0) close(fd_);
  }
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // The names opened so far.
  const std::set<std::string>& Opened() {
    alignas(inotify_event) char buffer[4096];
    ssize_t got = 0;
    while (fd_ >= 0 && (got = read(fd_, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0) opened_.insert(event->name);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return opened_;
  }

 private:
  int fd_;
  std::set<std::string> opened_;
};

TEST_F(InstallTest, TheInstalledCommandFindsBothAlertSoundsAndPlays) {
  const fs::path prefix = root_ / "prefix";
  ASSERT_EQ(Install(prefix), 0) << LogText();

  ProgramRun run;
  run.AddFixture("tone-440.mp3", "music/a.mp3");
  run.AddFixture("tone-440.mp3", "PSAs/p.mp3");
  run.UseExecutable(prefix / LUMIVOX_INSTALL_BINDIR / "lumivox");
  // The alert sounds are looked for in the bundle the command's link resolves to; only the
  // program opens them there.
  OpenWatch watch(prefix / LUMIVOX_INSTALL_BUNDLE / "Contents" / "Resources");
  run.Start();

  const std::set<std::string> alerts(std::begin(kAlertSounds), std::end(kAlertSounds));
  const auto started = std::chrono::steady_clock::now();
  while (watch.Opened() != alerts &&
         std::chrono::steady_clock::now() - started < std::chrono::seconds(10)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(watch.Opened(), alerts) << run.Errors();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_EQ(run.Stop(), 128 + SIGTERM);
  EXPECT_EQ(ErrorsBeyondTheDiskDriversNotice(run.Errors()), "");

  const pcm::Capture capture = pcm::Capture::ReadFile(run.CapturePath().string());
  const std::vector<pcm::Segment> sounds = capture.Sounds();
  ASSERT_FALSE(sounds.empty()) << "silent capture of " << capture.Seconds() << " s";
  const pcm::Segment middle = sounds.front().Part(0.05, 0.25);
  EXPECT_EQ(capture.DominantFrequency(middle, {220, 440, 880}), 440);
}

}  // namespace
