// FolderItem over a real temporary folder: order, odd names, the kept listing and its
// refresh, items that are not folders, unreadable folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "framework/FolderItem.h"
#include "framework/SpecialFolder.h"
#include "framework/files/DirectoryListing.h"
#include "tests/support/AsNobody.h"

namespace {

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/lumivox-folder-XXXXXX";
    path_ = mkdtemp(pattern);
    chmod(path_.c_str(), 0755);
  }
  ~TempFolder() { std::system(("chmod -R u+rwx '" + path_ + "'; rm -rf '" + path_ + "'").c_str()); }
  const std::string& Path() const { return path_; }
  std::string Add(const std::string& name) const {
    const std::string path = path_ + "/" + name;
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0) << "cannot create " << path;
    if (fd >= 0) close(fd);
    return path;
  }
  std::string AddFolder(const std::string& name) const {
    const std::string path = path_ + "/" + name;
    EXPECT_EQ(mkdir(path.c_str(), 0755), 0);
    return path;
  }
  std::shared_ptr<FolderItem> Item() const { return std::make_shared<FolderItem>(path_); }

 private:
  std::string path_;
};

std::vector<std::string> Names(const FolderItem& folder) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= folder.Count(); ++i) names.push_back(folder.Item(i)->Name());
  return names;
}

// Past the window in which a folder's times may not yet show a change.
void LetFolderSettle() {
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

// Past the short time for which a kept listing is taken as current without a stat.
void LetTrustLapse() {
  std::this_thread::sleep_for(2 * kListingTrustWindow);
}

TEST(FolderItemTest, ItemsComeInCaseInsensitiveOrderWithTiesBrokenByBytes) {
  TempFolder folder;
  for (const char* name : {"c.mp3", "B2", "zebra",
                           "\xC3\xA9"
                           "clair",
                           "A.mp3", "b.mp3",
                           "\xC3\x89"
                           "clair",
                           "a.mp3", "C.mp3", "_x"}) {
    folder.Add(name);
  }
  const std::vector<std::string> expected = {"_x",
                                             "A.mp3",
                                             "a.mp3",
                                             "b.mp3",
                                             "B2",
                                             "C.mp3",
                                             "c.mp3",
                                             "zebra",
                                             "\xC3\x89"
                                             "clair",
                                             "\xC3\xA9"
                                             "clair"};
  auto item = folder.Item();
  EXPECT_EQ(Names(*item), expected);
  EXPECT_EQ(item->Item(0), nullptr);
  EXPECT_EQ(item->Item(item->Count() + 1), nullptr);
  EXPECT_EQ(item->Item(3)->NativePath(), folder.Path() + "/a.mp3");
}

TEST(FolderItemTest, OddNamesComeThroughUnchanged) {
  const std::vector<std::string> odd = {
      "\xFF\xFE invalid.mp3",
      "line\nbreak.mp3",
      "quotes \"double\" 'single'.mp3",
      "  spaces  .mp3",
      ".hidden.mp3",
      ".mp3",
      "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC.mp3",  // Greek
      "\xE6\x97\xA5\xE6\x9C\xAC.mp3",                                          // Japanese
      "back\\slash",
      "tab\there",
      "\xC3\x28 broken pair"};
  TempFolder folder;
  for (const std::string& name : odd) folder.Add(name);
  auto item = folder.Item();
  ASSERT_EQ(item->Count(), static_cast<int32_t>(odd.size()));
  std::vector<std::string> seen = Names(*item);
  for (const std::string& name : odd) {
    SCOPED_TRACE(name);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), name), 1);
    auto child = item->Child(name);
    EXPECT_TRUE(child->Exists());
    EXPECT_EQ(child->Name(), name);
    EXPECT_EQ(child->NativePath(), folder.Path() + "/" + name);
    EXPECT_EQ(child->Parent()->NativePath(), folder.Path());
  }
  for (int32_t i = 1; i <= item->Count(); ++i) EXPECT_TRUE(item->Item(i)->Exists());
}

TEST(FolderItemTest, ItemsThatAreNotFoldersCountNothing) {
  TempFolder folder;
  const std::string file = folder.Add("song.mp3");
  const FolderItem asFile(file);
  EXPECT_TRUE(asFile.Exists());
  EXPECT_FALSE(asFile.Directory());
  EXPECT_EQ(asFile.Count(), 0);
  EXPECT_EQ(asFile.Item(1), nullptr);

  const FolderItem missing(folder.Path() + "/nothing here");
  EXPECT_FALSE(missing.Exists());
  EXPECT_EQ(missing.Count(), 0);

  testing::internal::CaptureStderr();
  EXPECT_EQ(asFile.Count(), 0);
  EXPECT_EQ(missing.Count(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "not a folder is not a failure";
}

TEST(FolderItemTest, ChildOfAMissingNameDoesNotExist) {
  TempFolder folder;
  folder.AddFolder("sub");
  folder.Add("sub/inner");
  auto item = folder.Item();
  auto missing = item->Child("missing.mp3");
  ASSERT_NE(missing, nullptr);
  EXPECT_FALSE(missing->Exists());
  EXPECT_EQ(missing->Name(), "missing.mp3");
  EXPECT_EQ(missing->NativePath(), folder.Path() + "/missing.mp3");
  EXPECT_EQ(missing->Count(), 0);
  EXPECT_EQ(missing->OpenAsSound(), nullptr);
  // Names that no folder holds never reach another place in the file system.
  for (const char* name : {"sub/inner", "..", ".", ""}) {
    SCOPED_TRACE(name);
    auto child = item->Child(name);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(child->Exists());
    EXPECT_EQ(child->Count(), 0);
  }
}

TEST(FolderItemTest, ParentAndNameFollowThePath) {
  const FolderItem item("/tmp/a folder/x.mp3");
  EXPECT_EQ(item.Name(), "x.mp3");
  EXPECT_EQ(item.Parent()->NativePath(), "/tmp/a folder");
  EXPECT_EQ(item.Parent()->Parent()->NativePath(), "/tmp");
  EXPECT_EQ(item.Parent()->Parent()->Parent()->NativePath(), "/");
  EXPECT_EQ(FolderItem("/").Parent(), nullptr);
  EXPECT_EQ(FolderItem("/tmp/trailing/").Name(), "trailing");
}

TEST(FolderItemTest, AWalkOverAFolderThatDoesNotChangeReadsItOnce) {
  TempFolder folder;
  for (int i = 0; i < 50; ++i) {
    // Appended rather than "f" + std::to_string(i): GCC 12 at -O3 warns falsely (-Wrestrict)
    // inside the standard library about a literal added to a temporary string.
    std::string name = "f";
    name += std::to_string(i);
    folder.Add(name);
  }
  LetFolderSettle();
  auto item = folder.Item();
  const unsigned long before = DirectoryReadCount();
  int32_t seen = 0;
  for (int32_t i = 1; i <= item->Count(); ++i) {
    ASSERT_NE(item->Item(i), nullptr);
    ++seen;
  }
  EXPECT_EQ(seen, 50);
  EXPECT_EQ(DirectoryReadCount() - before, 1u);
}

TEST(FolderItemTest, TheListingFollowsChangesToTheFolder) {
  TempFolder folder;
  folder.Add("b");
  folder.Add("d");
  auto item = folder.Item();
  EXPECT_EQ(Names(*item), (std::vector<std::string>{"b", "d"}));

  // Soon after, within the same tick of the file system's clock ...
  folder.Add("a");
  LetTrustLapse();
  EXPECT_EQ(Names(*item), (std::vector<std::string>{"a", "b", "d"}));

  // ... and after the folder has settled: an added, a removed and a renamed item.
  LetFolderSettle();
  EXPECT_EQ(item->Count(), 3);
  folder.Add("c");
  LetTrustLapse();
  EXPECT_EQ(Names(*item), (std::vector<std::string>{"a", "b", "c", "d"}));
  LetFolderSettle();
  EXPECT_EQ(item->Count(), 4);
  ASSERT_EQ(unlink((folder.Path() + "/a").c_str()), 0);
  LetTrustLapse();
  EXPECT_EQ(Names(*item), (std::vector<std::string>{"b", "c", "d"}));
  LetFolderSettle();
  EXPECT_EQ(item->Count(), 3);
  ASSERT_EQ(rename((folder.Path() + "/b").c_str(), (folder.Path() + "/e").c_str()), 0);
  LetTrustLapse();
  EXPECT_EQ(Names(*item), (std::vector<std::string>{"c", "d", "e"}));
}

TEST(FolderItemTest, AFolderReplacedByAnotherIsReadAgain) {
  TempFolder folder;
  const std::string music = folder.AddFolder("music");
  folder.Add("music/old.mp3");
  FolderItem item(music);
  EXPECT_EQ(Names(item), (std::vector<std::string>{"old.mp3"}));
  LetFolderSettle();
  ASSERT_EQ(rename(music.c_str(), (folder.Path() + "/gone").c_str()), 0);
  folder.AddFolder("other");
  folder.Add("other/new.mp3");
  ASSERT_EQ(rename((folder.Path() + "/other").c_str(), music.c_str()), 0);
  LetTrustLapse();
  EXPECT_EQ(Names(item), (std::vector<std::string>{"new.mp3"}));
}

TEST(FolderItemTest, AnUnreadableFolderCountsNothingAndSaysSoOnce) {
  TempFolder folder;
  const std::string locked = folder.AddFolder("locked\nfolder");
  folder.Add("locked\nfolder/a.mp3");
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  FolderItem item(locked);

  testing::internal::CaptureStderr();
  {
    AsNobody nobody;
    EXPECT_TRUE(item.Exists());
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(item.Item(1), nullptr);
    EXPECT_EQ(item.Count(), 0);
  }
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find(folder.Path() + "/locked\\x0Afolder"), std::string::npos) << errors;

  // Readable again: the change of mode shows, and the listing is read.
  ASSERT_EQ(chmod(locked.c_str(), 0755), 0);
  LetTrustLapse();
  AsNobody nobody;
  EXPECT_EQ(Names(item), (std::vector<std::string>{"a.mp3"}));
}

TEST(FolderItemTest, BareNamesAreLookedUpInTheWorkingDirectory) {
  TempFolder folder;
  folder.AddFolder("music");
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(folder.Path().c_str()), 0);
  auto music = GetFolderItem("music", 0);
  auto psas = GetFolderItem("PSAs", 0);
  ASSERT_EQ(chdir(previous), 0);
  std::free(previous);

  ASSERT_NE(music, nullptr);
  EXPECT_EQ(music->NativePath(), folder.Path() + "/music");
  EXPECT_TRUE(music->Exists()) << "the item keeps its place after the directory changes";
  ASSERT_NE(psas, nullptr);
  EXPECT_FALSE(psas->Exists());
  EXPECT_EQ(psas->Name(), "PSAs");
  EXPECT_EQ(GetFolderItem("/tmp", 0)->NativePath(), "/tmp");
  EXPECT_EQ(GetFolderItem("", 0), nullptr);
}

TEST(FolderItemTest, TheExecutableAndTheUsersFolders) {
  auto exe = ExecutableFile();
  ASSERT_NE(exe, nullptr);
  char* real = realpath("/proc/self/exe", nullptr);
  ASSERT_NE(real, nullptr);
  EXPECT_EQ(exe->NativePath(), real);
  std::free(real);
  EXPECT_EQ(exe->Name(), "framework_tests");
  EXPECT_TRUE(exe->Exists());

  const auto location = [](QStandardPaths::StandardLocation which) {
    return QFile::encodeName(QStandardPaths::writableLocation(which)).toStdString();
  };
  ASSERT_NE(SpecialFolder::Music(), nullptr);
  EXPECT_EQ(SpecialFolder::Music()->NativePath(), location(QStandardPaths::MusicLocation));
  ASSERT_NE(SpecialFolder::Desktop(), nullptr);
  EXPECT_EQ(SpecialFolder::Desktop()->NativePath(), location(QStandardPaths::DesktopLocation));
}

}  // namespace
