#pragma once

#include <cstddef>
#include <optional>

#include "app/bytes.h"

namespace torvane {

// Where a chunk's body lies inside a WAV file.
struct WavChunk {
  std::size_t offset = 0;
  std::size_t size = 0;

  bool operator==(const WavChunk&) const = default;
};

// The chunks of a WAV file that playback needs. The "fact" chunk is kept when the chunk walk meets
// it, because it tells a decoder how many samples of the last compressed block are real.
struct WavLayout {
  WavChunk format;
  WavChunk data;
  std::optional<WavChunk> fact;
};

// Walks the chunks of a whole WAV file. Gives nullopt unless the bytes start a RIFF/WAVE file of
// at least 36 bytes holding a "fmt " chunk and a non-empty "data" chunk, in either order. Never
// reads past the end: a format chunk cut short counts as missing, a data chunk cut short keeps the
// samples that are there.
std::optional<WavLayout> parseWav(ByteView wav);

// A minimal WAV file of the format, fact and data chunks of `layout`, in that order, which
// decoders that want the format first accept.
Bytes canonicalWav(ByteView wav, const WavLayout& layout);

}  // namespace torvane
