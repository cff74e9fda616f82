#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace torvane {
namespace {

// Follows symlinks (also dangling ones, whose target is then created) to the path of the file to
// replace, so that renaming over it keeps the links.
std::optional<std::string> resolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), target, sizeof target);
    if (n <= 0 || n == static_cast<ssize_t>(sizeof target)) return std::nullopt;
    std::string next(target, static_cast<std::size_t>(n));
    if (next.front() != '/') {
      const std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) next = path.substr(0, slash + 1) + next;
    }
    path = std::move(next);
  }
  return std::nullopt;
}

mode_t currentUmask() {
  // The only portable way to read the umask is to set it; the program creates files from one
  // thread only.
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

bool writeAll(int fd, ByteView bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

void syncFolder(const std::string& folder) {
  // Makes the rename itself durable; the new contents are already in place if this fails.
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool writeFile(const std::string& path, ByteView bytes) {
  if (path.empty()) return false;
  const std::optional<std::string> target = resolveLinks(path);
  if (!target) return false;

  const std::size_t slash = target->rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target->substr(0, slash + 1);

  mode_t mode = 0666 & ~currentUmask();
  struct stat st;
  if (stat(target->c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode) || access(target->c_str(), W_OK) != 0) return false;
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return false;
  }

  // A short fixed name, so that a target name near the length limit still leaves room.
  std::string temp = folder + ".torvane-XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fchmod(fd, mode) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temp.c_str(), target->c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  syncFolder(folder.empty() ? "." : folder);
  return true;
}

}  // namespace torvane
