#include "overlay/picture_store.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

#include "overlay/picture_decoder.h"

namespace torvane {
namespace {

std::size_t hashBytes(ByteView file) {
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
}

std::optional<Bytes> readRegularFile(const std::string& path, std::size_t maxSize) {
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > maxSize) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes file(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) return std::nullopt;
  return file;
}

}  // namespace

PictureId PictureStore::add(ByteView file) {
  if (file.empty()) return 0;
  try {
    const std::size_t hash = hashBytes(file);
    const auto [first, last] = sources_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
      if (std::ranges::equal(it->second.file, file)) return it->second.id;
    }
    std::optional<RasterImage> picture = decodePicture(file);
    if (!picture) return 0;
    pictures_.push_back(std::move(*picture));
    const PictureId id = static_cast<PictureId>(pictures_.size());
    try {
      sources_.emplace(hash, Source{Bytes(file.begin(), file.end()), id});
    } catch (const std::bad_alloc&) {
      pictures_.pop_back();
      throw;
    }
    return id;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

PictureId PictureStore::addFile(const std::string& path) {
  try {
    const std::optional<Bytes> file = readRegularFile(path, kMaxFileSize);
    return file ? add(*file) : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

const RasterImage* PictureStore::find(PictureId id) const {
  if (id < 1 || static_cast<std::size_t>(id) > pictures_.size()) return nullptr;
  return &pictures_[id - 1];
}

}  // namespace torvane
