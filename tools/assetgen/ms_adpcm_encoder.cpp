#include "ms_adpcm_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace torvane {
namespace {

struct CoefficientPair {
  int c1;
  int c2;
};

constexpr std::array<CoefficientPair, 7> kCoefficients{
    {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}};
constexpr std::array<int, 16> kAdaptation{230, 230, 230, 230, 307, 409, 512, 614,
                                          768, 614, 512, 409, 307, 230, 230, 230};
constexpr int kHeaderBytes = 7;
constexpr int kMinDelta = 16;
constexpr int kMaxDelta = 65535;
// The header holds the initial delta in 16 bits that some decoders read as signed.
constexpr int kMaxInitialDelta = 32767;

struct PredictorState {
  CoefficientPair coefficients;
  int delta;
  int sample1;  // the newer of the two previous samples
  int sample2;
};

int samplesPerBlock(int blockAlign) { return (blockAlign - kHeaderBytes) * 2 + 2; }

int predict(const PredictorState& state) {
  return (state.sample1 * state.coefficients.c1 + state.sample2 * state.coefficients.c2) / 256;
}

int reconstruct(int predicted, int delta, int nibble) {
  const int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
  return std::clamp(predicted + delta * signedNibble, -32768, 32767);
}

void advance(PredictorState& state, int nibble, int sample) {
  state.delta = std::clamp(state.delta * kAdaptation[nibble] / 256, kMinDelta, kMaxDelta);
  state.sample2 = state.sample1;
  state.sample1 = sample;
}

int decodeNibble(PredictorState& state, int nibble) {
  const int sample = reconstruct(predict(state), state.delta, nibble);
  advance(state, nibble, sample);
  return sample;
}

// Picks the nibble whose reconstruction lands nearest the target (greedy, one sample ahead).
int bestNibble(const PredictorState& state, int target) {
  const int predicted = predict(state);
  const int ideal = std::clamp(
      static_cast<int>(std::lround(static_cast<double>(target - predicted) / state.delta)), -8, 7);
  int best = ideal;
  int bestError = std::numeric_limits<int>::max();
  for (int q = std::max(ideal - 1, -8); q <= std::min(ideal + 1, 7); ++q) {
    const int error = std::abs(reconstruct(predicted, state.delta, q & 0x0F) - target);
    if (error < bestError) {
      bestError = error;
      best = q;
    }
  }
  return best & 0x0F;
}

struct BlockChoice {
  int predictor = 0;
  int initialDelta = kMinDelta;
  std::int64_t squaredError = std::numeric_limits<std::int64_t>::max();
};

// Encodes one block's samples after the two header samples; returns the squared error and fills
// `nibbles` when given.
std::int64_t encodeBlockBody(std::span<const std::int16_t> block, int predictor, int initialDelta,
                             std::vector<int>* nibbles) {
  PredictorState state{kCoefficients[predictor], initialDelta, block[1], block[0]};
  std::int64_t squaredError = 0;
  for (std::size_t i = 2; i < block.size(); ++i) {
    const int nibble = bestNibble(state, block[i]);
    const int sample = decodeNibble(state, nibble);
    const std::int64_t error = sample - block[i];
    squaredError += error * error;
    if (nibbles) nibbles->push_back(nibble);
  }
  return squaredError;
}

BlockChoice chooseBlockParameters(std::span<const std::int16_t> block) {
  BlockChoice best;
  for (int predictor = 0; predictor < static_cast<int>(kCoefficients.size()); ++predictor) {
    for (int delta = kMinDelta; delta <= kMaxInitialDelta; delta += std::max(1, delta / 4)) {
      const std::int64_t error = encodeBlockBody(block, predictor, delta, nullptr);
      if (error < best.squaredError) best = {predictor, delta, error};
    }
  }
  return best;
}

void putU16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  putU16(out, static_cast<int>(value & 0xFFFF));
  putU16(out, static_cast<int>(value >> 16));
}

int readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8);
}

int readS16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int16_t>(readU16(bytes, at));
}

}  // namespace

std::vector<std::uint8_t> encodeMsAdpcm(std::span<const std::int16_t> samples, int blockAlign) {
  std::vector<std::uint8_t> out;
  if (blockAlign < kHeaderBytes || samples.empty()) return out;
  const std::size_t perBlock = static_cast<std::size_t>(samplesPerBlock(blockAlign));
  std::vector<std::int16_t> block(perBlock);
  std::vector<int> nibbles;
  for (std::size_t start = 0; start < samples.size(); start += perBlock) {
    const std::size_t count = std::min(perBlock, samples.size() - start);
    std::fill(std::copy_n(samples.begin() + start, count, block.begin()), block.end(), 0);

    const BlockChoice choice = chooseBlockParameters(block);
    nibbles.clear();
    encodeBlockBody(block, choice.predictor, choice.initialDelta, &nibbles);

    out.push_back(static_cast<std::uint8_t>(choice.predictor));
    putU16(out, choice.initialDelta);
    putU16(out, block[1]);
    putU16(out, block[0]);
    for (std::size_t i = 0; i < nibbles.size(); i += 2) {
      out.push_back(static_cast<std::uint8_t>((nibbles[i] << 4) | nibbles[i + 1]));
    }
  }
  return out;
}

std::vector<std::uint8_t> msAdpcmFormatChunk(int sampleRate, int blockAlign) {
  const int perBlock = samplesPerBlock(blockAlign);
  std::vector<std::uint8_t> out;
  putU16(out, 2);  // WAVE_FORMAT_ADPCM
  putU16(out, 1);
  putU32(out, static_cast<std::uint32_t>(sampleRate));
  putU32(out,
         static_cast<std::uint32_t>(static_cast<std::int64_t>(sampleRate) * blockAlign / perBlock));
  putU16(out, blockAlign);
  putU16(out, 4);
  putU16(out, 32);
  putU16(out, perBlock);
  putU16(out, static_cast<int>(kCoefficients.size()));
  for (const CoefficientPair& pair : kCoefficients) {
    putU16(out, pair.c1);
    putU16(out, pair.c2);
  }
  return out;
}

std::vector<std::int16_t> decodeMsAdpcm(std::span<const std::uint8_t> blocks, int blockAlign) {
  std::vector<std::int16_t> out;
  if (blockAlign < kHeaderBytes) return out;
  const std::size_t size = static_cast<std::size_t>(blockAlign);
  for (std::size_t start = 0; start + size <= blocks.size(); start += size) {
    const std::span<const std::uint8_t> block = blocks.subspan(start, size);
    if (block[0] >= kCoefficients.size()) break;
    PredictorState state{kCoefficients[block[0]], readU16(block, 1), readS16(block, 3),
                         readS16(block, 5)};
    out.push_back(static_cast<std::int16_t>(state.sample2));
    out.push_back(static_cast<std::int16_t>(state.sample1));
    for (std::size_t i = kHeaderBytes; i < size; ++i) {
      out.push_back(static_cast<std::int16_t>(decodeNibble(state, block[i] >> 4)));
      out.push_back(static_cast<std::int16_t>(decodeNibble(state, block[i] & 0x0F)));
    }
  }
  return out;
}

}  // namespace torvane
