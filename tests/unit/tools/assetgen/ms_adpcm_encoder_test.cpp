#include "ms_adpcm_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

namespace torvane {
namespace {

constexpr int kBlockAlign = 256;
constexpr int kSamplesPerBlock = 500;

std::vector<std::int16_t> toneWithNoise(int count, double hz, double amplitude, int rate) {
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, amplitude / 20);
  std::vector<std::int16_t> out(count);
  for (int i = 0; i < count; ++i) {
    const double value = amplitude * std::sin(2 * std::numbers::pi * hz * i / rate) + noise(random);
    out[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768l, 32767l));
  }
  return out;
}

double signalToNoiseDb(const std::vector<std::int16_t>& original,
                       const std::vector<std::int16_t>& decoded) {
  double signal = 0;
  double noise = 0;
  for (std::size_t i = 0; i < original.size(); ++i) {
    signal += double(original[i]) * original[i];
    noise += double(decoded[i] - original[i]) * (decoded[i] - original[i]);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST(MsAdpcmEncoder, RoundTripKeepsWaveformAndPadsLastBlockWithSilence) {
  struct Case {
    const char* name;
    double hz;
    double amplitude;
    double minSnrDb;
  };
  const Case cases[] = {
      {"low roar", 110, 12000, 30},
      {"mid tone", 1000, 20000, 28},
      {"quiet", 300, 300, 28},
      {"near full scale", 200, 32000, 30},
  };
  const int count = 3 * kSamplesPerBlock + 123;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::int16_t> original = toneWithNoise(count, c.hz, c.amplitude, 11025);
    const std::vector<std::uint8_t> blocks = encodeMsAdpcm(original, kBlockAlign);
    ASSERT_EQ(blocks.size(), 4u * kBlockAlign);

    const std::vector<std::int16_t> decoded = decodeMsAdpcm(blocks, kBlockAlign);
    ASSERT_EQ(decoded.size(), 4u * kSamplesPerBlock);
    EXPECT_GE(signalToNoiseDb(original, decoded), c.minSnrDb);
    // Each block's two header samples are stored exactly.
    for (int block = 0; block < 3; ++block) {
      EXPECT_EQ(decoded[block * kSamplesPerBlock], original[block * kSamplesPerBlock]);
      EXPECT_EQ(decoded[block * kSamplesPerBlock + 1], original[block * kSamplesPerBlock + 1]);
    }
    for (std::size_t i = count + 64; i < decoded.size(); ++i) {
      ASSERT_LE(std::abs(decoded[i]), 64) << "padding at " << i;
    }
  }
}

TEST(MsAdpcmEncoder, FollowsStepsAndSilenceWithinOneBlock) {
  // A block of silence after a loud step: the encoder must pick a small initial delta.
  std::vector<std::int16_t> original(2 * kSamplesPerBlock, 0);
  for (int i = 0; i < kSamplesPerBlock; ++i) original[i] = (i / 50) % 2 ? 16000 : -16000;
  const std::vector<std::int16_t> decoded =
      decodeMsAdpcm(encodeMsAdpcm(original, kBlockAlign), kBlockAlign);
  ASSERT_EQ(decoded.size(), original.size());
  for (std::size_t i = kSamplesPerBlock; i < decoded.size(); ++i) {
    ASSERT_LE(std::abs(decoded[i]), 16) << i;
  }
  EXPECT_GE(signalToNoiseDb(original, decoded), 15);
}

TEST(MsAdpcmEncoder, FormatChunkDescribesMonoAdpcm) {
  const std::vector<std::uint8_t> fmt = msAdpcmFormatChunk(11025, kBlockAlign);
  ASSERT_EQ(fmt.size(), 50u);
  auto u16 = [&](int at) { return fmt[at] | (fmt[at + 1] << 8); };
  auto s16 = [&](int at) { return static_cast<std::int16_t>(u16(at)); };
  auto u32 = [&](int at) { return u16(at) | (u16(at + 2) << 16); };
  EXPECT_EQ(u16(0), 2);
  EXPECT_EQ(u16(2), 1);
  EXPECT_EQ(u32(4), 11025);
  EXPECT_EQ(u32(8), 11025 * kBlockAlign / kSamplesPerBlock);
  EXPECT_EQ(u16(12), kBlockAlign);
  EXPECT_EQ(u16(14), 4);
  EXPECT_EQ(u16(16), 32);
  EXPECT_EQ(u16(18), kSamplesPerBlock);
  EXPECT_EQ(u16(20), 7);
  const int coefficients[14] = {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(s16(22 + 2 * i), coefficients[i]) << i;
}

TEST(MsAdpcmEncoder, DecoderStopsAtDamagedOrPartialBlocks) {
  const std::vector<std::int16_t> original = toneWithNoise(3 * kSamplesPerBlock, 440, 8000, 11025);
  std::vector<std::uint8_t> blocks = encodeMsAdpcm(original, kBlockAlign);

  std::vector<std::uint8_t> partial(blocks.begin(), blocks.end() - 1);
  EXPECT_EQ(decodeMsAdpcm(partial, kBlockAlign).size(), 2u * kSamplesPerBlock);

  blocks[kBlockAlign] = 7;  // predictor index out of range in the second block
  EXPECT_EQ(decodeMsAdpcm(blocks, kBlockAlign).size(), 1u * kSamplesPerBlock);

  EXPECT_TRUE(decodeMsAdpcm(blocks, 6).empty());
  EXPECT_TRUE(encodeMsAdpcm(original, 6).empty());
}

}  // namespace
}  // namespace torvane
