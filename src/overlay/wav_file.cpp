#include "overlay/wav_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace torvane {
namespace {

constexpr std::size_t kMinWavBytes = 36;
constexpr std::size_t kChunkWalkStart = 12;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kFactBytes = 4;

bool hasTag(ByteView bytes, std::size_t at, const char (&tag)[5]) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

std::uint32_t readU32(ByteView bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void appendU32(Bytes& out, std::size_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void appendTag(Bytes& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

void appendChunk(Bytes& out, const char (&tag)[5], ByteView wav, WavChunk chunk) {
  appendTag(out, tag);
  appendU32(out, chunk.size);
  const auto body = wav.subspan(chunk.offset, chunk.size);
  out.insert(out.end(), body.begin(), body.end());
  if (chunk.size % 2 == 1) out.push_back(0);
}

std::size_t chunkBytes(WavChunk chunk) { return kChunkHeaderBytes + chunk.size + chunk.size % 2; }

}  // namespace

std::optional<WavLayout> parseWav(ByteView wav) {
  if (wav.size() < kMinWavBytes || !hasTag(wav, 0, "RIFF") || !hasTag(wav, 8, "WAVE")) {
    return std::nullopt;
  }
  // 64-bit positions: no claimed size can wrap the walk around.
  const std::uint64_t end = wav.size();
  const std::uint64_t riffEnd = std::min<std::uint64_t>(8 + std::uint64_t{readU32(wav, 4)}, end);
  std::optional<WavChunk> format;
  std::optional<WavChunk> data;
  std::optional<WavChunk> fact;
  for (std::uint64_t at = kChunkWalkStart;
       at + kChunkHeaderBytes <= riffEnd && !(format && data);) {
    const std::uint64_t size = readU32(wav, at + 4);
    const std::uint64_t body = at + kChunkHeaderBytes;
    const bool complete = body + size <= end;
    if (hasTag(wav, at, "fmt ") && !format && complete) {
      format = WavChunk{body, size};
    } else if (hasTag(wav, at, "data") && !data) {
      data = WavChunk{body, std::min(size, end - body)};
    } else if (hasTag(wav, at, "fact") && !fact && complete && size >= kFactBytes) {
      fact = WavChunk{body, size};
    }
    at = body + size + size % 2;
  }
  if (!format || !data || data->size == 0) return std::nullopt;
  return WavLayout{*format, *data, fact};
}

Bytes canonicalWav(ByteView wav, const WavLayout& layout) {
  const std::size_t riffSize = 4 + chunkBytes(layout.format) + chunkBytes(layout.data) +
                               (layout.fact ? chunkBytes(*layout.fact) : 0);
  Bytes out{'R', 'I', 'F', 'F'};
  out.reserve(8 + riffSize);
  appendU32(out, riffSize);
  appendTag(out, "WAVE");
  appendChunk(out, "fmt ", wav, layout.format);
  if (layout.fact) appendChunk(out, "fact", wav, *layout.fact);
  appendChunk(out, "data", wav, layout.data);
  return out;
}

}  // namespace torvane
