#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

#include "app/bytes.h"

namespace torvane::assetgen {

// A 32 x 32 cursor file from straight ARGB pixels: one 32-bit image with alpha and its AND mask,
// whose bit is set exactly where alpha is 0.
Bytes cursorFile(const QImage& argb, int hotX, int hotY);

// A toolbar image-list entry: the cursor's image block with all alpha bytes 0. Pixels with alpha 0
// become transparent (mask bit set); the others are composited over white.
Bytes toolbarDib(const QImage& argb);

// A 24-bit bottom-up BMP file from opaque pixels.
Bytes bmpFile(const QImage& rgb);

struct Chunk {
  std::array<char, 4> id;
  Bytes body;
};

// A RIFF WAVE file made of the given chunks in order, each padded to an even length.
Bytes riffWave(const std::vector<Chunk>& chunks);

// The 16-byte "fmt " body of mono PCM.
Bytes pcmFormat(int rate, int bits);

// Sample data of mono PCM from levels in [-1, 1]: 16-bit signed little-endian or 8-bit offset
// binary. Levels outside the range are clipped.
Bytes pcmSamples(const std::vector<double>& samples, int bits);

void put16(Bytes& out, std::uint32_t v);
void put32(Bytes& out, std::uint32_t v);

}  // namespace torvane::assetgen
