#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace torvane {
namespace {

namespace fs = std::filesystem;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

mode_t modeOf(const fs::path& path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

// Root may write files and folders whatever their permission bits say.
bool runningAsRoot() { return geteuid() == 0; }

class WriteFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "torvane-write-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }

  void put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // Only the named files: no temporary file may be left behind.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(WriteFile, CreatesANewFileWithTheUmaskApplied) {
  const mode_t old = umask(027);
  const Bytes bytes = {0, 1, 2, 255, 0, 'B', 'M'};
  EXPECT_TRUE(writeFile(dir_ / "new.bmp", bytes));
  umask(old);
  EXPECT_EQ(contents(dir_ / "new.bmp"), std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(modeOf(dir_ / "new.bmp"), 0640u);
  EXPECT_EQ(entries(), std::vector<std::string>{"new.bmp"});
}

TEST_F(WriteFile, ReplacesAnExistingFileKeepingItsPermissions) {
  put(dir_ / "pic.bmp", "an older and longer picture");
  chmod((dir_ / "pic.bmp").c_str(), 0604);
  EXPECT_TRUE(writeFile(dir_ / "pic.bmp", bytesOf("new")));
  EXPECT_EQ(contents(dir_ / "pic.bmp"), "new");
  EXPECT_EQ(modeOf(dir_ / "pic.bmp"), 0604u);
  EXPECT_EQ(entries(), std::vector<std::string>{"pic.bmp"});
}

TEST_F(WriteFile, WritesEmptyContents) {
  put(dir_ / "pic.bmp", "old");
  EXPECT_TRUE(writeFile(dir_ / "pic.bmp", {}));
  EXPECT_EQ(contents(dir_ / "pic.bmp"), "");
}

TEST_F(WriteFile, RelativePathWritesInTheWorkingFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  EXPECT_TRUE(writeFile("here.bmp", bytesOf("x")));
  fs::current_path(before);
  EXPECT_EQ(contents(dir_ / "here.bmp"), "x");
  EXPECT_EQ(entries(), std::vector<std::string>{"here.bmp"});
}

TEST_F(WriteFile, WritesThroughASymlinkAndKeepsIt) {
  fs::create_directory(dir_ / "real");
  put(dir_ / "real" / "pic.bmp", "old");
  fs::create_symlink("real/pic.bmp", dir_ / "link.bmp");
  EXPECT_TRUE(writeFile(dir_ / "link.bmp", bytesOf("new")));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.bmp"));
  EXPECT_EQ(contents(dir_ / "real" / "pic.bmp"), "new");
}

TEST_F(WriteFile, DanglingSymlinkCreatesItsTarget) {
  fs::create_symlink("made.bmp", dir_ / "link.bmp");
  EXPECT_TRUE(writeFile(dir_ / "link.bmp", bytesOf("new")));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.bmp"));
  EXPECT_EQ(contents(dir_ / "made.bmp"), "new");
}

TEST_F(WriteFile, RejectsPathsThatNameNoWritableFile) {
  fs::create_directory(dir_ / "sub");
  put(dir_ / "file", "x");
  fs::create_symlink("loop", dir_ / "loop");
  const fs::path cases[] = {
      "",
      dir_ / "missing" / "pic.bmp",
      dir_ / "sub",
      dir_ / "sub" / "",
      dir_ / "file" / "pic.bmp",
      dir_ / "loop",
      "/dev/null",
  };
  for (const fs::path& path : cases) EXPECT_FALSE(writeFile(path, bytesOf("new"))) << path;
  EXPECT_EQ(contents(dir_ / "file"), "x");
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
  EXPECT_TRUE(fs::is_empty(dir_ / "sub"));
}

// A write cut short by the file size limit (a stand-in for a full disk) must leave the old file
// whole and no temporary file behind. Applies to root as well.
TEST_F(WriteFile, FailedWriteLeavesTheExistingFileUntouched) {
  put(dir_ / "pic.bmp", "the old picture");
  const Bytes big(64 * 1024, 0x5A);

  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = writeFile(dir_ / "pic.bmp", big);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(ok);
  EXPECT_EQ(contents(dir_ / "pic.bmp"), "the old picture");
  EXPECT_EQ(entries(), std::vector<std::string>{"pic.bmp"});
}

TEST_F(WriteFile, UnwritableFolderFails) {
  if (runningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
  put(dir_ / "pic.bmp", "old");
  chmod(dir_.c_str(), 0555);
  EXPECT_FALSE(writeFile(dir_ / "pic.bmp", bytesOf("new")));
  EXPECT_FALSE(writeFile(dir_ / "other.bmp", bytesOf("new")));
  chmod(dir_.c_str(), 0755);
  EXPECT_EQ(contents(dir_ / "pic.bmp"), "old");
  EXPECT_EQ(entries(), std::vector<std::string>{"pic.bmp"});
}

TEST_F(WriteFile, ReadOnlyFileFailsAndIsKept) {
  if (runningAsRoot()) GTEST_SKIP() << "root may write read-only files";
  put(dir_ / "pic.bmp", "old");
  chmod((dir_ / "pic.bmp").c_str(), 0444);
  EXPECT_FALSE(writeFile(dir_ / "pic.bmp", bytesOf("new")));
  EXPECT_EQ(contents(dir_ / "pic.bmp"), "old");
  EXPECT_EQ(modeOf(dir_ / "pic.bmp"), 0444u);
}

}  // namespace
}  // namespace torvane
