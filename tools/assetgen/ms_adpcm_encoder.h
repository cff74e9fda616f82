#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace torvane {

// Encodes mono 16-bit samples as Microsoft ADPCM blocks of `blockAlign` bytes
// ((blockAlign - 7) * 2 + 2 samples per block); the last block is padded with silence.
std::vector<std::uint8_t> encodeMsAdpcm(std::span<const std::int16_t> samples, int blockAlign);

// The 50-byte "fmt " chunk body for mono MS ADPCM: tag 2, 1 channel, rate, avg bytes/s,
// blockAlign, 4 bits, cbSize 32, samples per block, 7 standard coefficient pairs.
std::vector<std::uint8_t> msAdpcmFormatChunk(int sampleRate, int blockAlign);

// Decoder of the same blocks (reference for tests). Decodes whole blocks only; stops at a trailing
// partial block or a block whose predictor index is out of range.
std::vector<std::int16_t> decodeMsAdpcm(std::span<const std::uint8_t> blocks, int blockAlign);

}  // namespace torvane
