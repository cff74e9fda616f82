#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace torvane {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// The committed files must be exactly what the sources and the generator make, so that nobody edits
// a generated file by hand or forgets to regenerate after changing a drawing or a sound.
TEST(AssetGenerator, ReproducesTheCommittedFilesByteForByte) {
#ifndef TORVANE_ASSETGEN
  GTEST_SKIP() << "generator not built";
#else
  const fs::path out =
      fs::temp_directory_path() / ("torvane-assetgen-" + std::to_string(::getpid()));
  fs::remove_all(out);
  const std::string command = std::string("\"") + TORVANE_ASSETGEN + "\" \"" + TORVANE_SOURCE_DIR +
                              "\" \"" + out.string() + "\" 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const fs::path committed = fs::path(TORVANE_SOURCE_DIR) / "src/assets/files";
  const fs::path produced = out / "src/assets/files";
  ASSERT_EQ(namesIn(produced), namesIn(committed));
  for (const std::string& name : namesIn(committed)) {
    EXPECT_TRUE(readAll(committed / name) == readAll(produced / name)) << name << " differs";
  }
  fs::remove_all(out);
#endif
}

}  // namespace
}  // namespace torvane
