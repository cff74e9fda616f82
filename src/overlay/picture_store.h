#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/bytes.h"
#include "overlay/canvas_surface.h"
#include "overlay/raster_image.h"

namespace torvane {

// The decoded pictures behind PictureIds. Identical file bytes share one picture, so loading the
// same file on every timer tick costs no memory.
class PictureStore {
 public:
  // 0 when the bytes are empty, unrecognised or fail to decode (also when memory runs out).
  PictureId add(ByteView file);
  // Reads a regular file of at most kMaxFileSize bytes, then as add().
  PictureId addFile(const std::string& path);
  // nullptr for 0 and for ids this store never gave out.
  const RasterImage* find(PictureId id) const;

  static constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;

 private:
  struct Source {
    Bytes file;
    PictureId id;
  };

  std::vector<RasterImage> pictures_;                     // PictureId n is pictures_[n - 1]
  std::unordered_multimap<std::size_t, Source> sources_;  // keyed by a hash of the file bytes
};

}  // namespace torvane
