#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "ms_adpcm_encoder.h"
#include "read_le.h"

namespace torvane {
namespace {

using test::le16;
using test::le32;
using test::tag;

struct Chunk {
  std::string id;
  ByteView body;
};

std::vector<Chunk> chunksOf(ByteView wav) {
  std::vector<Chunk> out;
  for (std::size_t at = 12; at + 8 <= wav.size();) {
    const std::size_t size = le32(wav, at + 4);
    if (size > wav.size() - at - 8) {
      out.push_back({"truncated", {}});
      break;
    }
    out.push_back({tag(wav, at), wav.subspan(at + 8, size)});
    at += 8 + size + size % 2;
  }
  return out;
}

struct SoundRow {
  const char* name;
  ByteView file;
  int formatTag;
  int rate;
  int bits;
  std::uint32_t samples;
  std::vector<std::string> chunks;
  double peakFrom;  // seconds: where the loudest sample may lie (PCM only)
  double peakTo;
};

const SoundRow kSounds[] = {
    {"Wash", kSoundWash, 1, 44100, 16, 24192, {"fmt ", "data"}, 0.02, 0.09},
    {"Stamp", kSoundStamp, 1, 44100, 16, 20736, {"fmt ", "data"}, 0.035, 0.07},
    {"Laser", kSoundLaser, 1, 22050, 8, 27670, {"fmt ", "fact", "data"}, 0, 0.05},
    {"Shot", kSoundShot, 1, 22050, 8, 19988, {"fmt ", "data"}, 0, 0.02},
    {"Flame", kSoundFlame, 2, 11025, 4, 16524, {"fmt ", "fact", "data", "LIST"}, 0, 0},
};

std::vector<double> pcmLevels(ByteView data, int bits) {
  std::vector<double> out;
  if (bits == 16) {
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
      out.push_back(static_cast<std::int16_t>(le16(data, i)) / 32768.0);
    }
  } else {
    for (std::uint8_t b : data) out.push_back((b - 128) / 128.0);
  }
  return out;
}

TEST(SoundAssets, EverySoundIsAMonoWaveWithItsChunksRateDepthAndLength) {
  constexpr std::int16_t kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                                {240, 0}, {460, -208}, {392, -232}};
  for (const SoundRow& row : kSounds) {
    SCOPED_TRACE(row.name);
    const ByteView wav = row.file;
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(tag(wav, 0), "RIFF");
    EXPECT_EQ(le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(tag(wav, 8), "WAVE");
    const std::vector<Chunk> chunks = chunksOf(wav);
    std::vector<std::string> ids;
    for (const Chunk& c : chunks) ids.push_back(c.id);
    ASSERT_EQ(ids, row.chunks);

    const ByteView fmt = chunks[0].body;
    const ByteView data = chunks[row.chunks.size() - (row.formatTag == 2 ? 2 : 1)].body;
    EXPECT_EQ(le16(fmt, 0), static_cast<std::uint32_t>(row.formatTag));
    EXPECT_EQ(le16(fmt, 2), 1u);
    EXPECT_EQ(le32(fmt, 4), static_cast<std::uint32_t>(row.rate));
    EXPECT_EQ(le16(fmt, 14), static_cast<std::uint32_t>(row.bits));
    if (row.chunks[1] == "fact") {
      EXPECT_EQ(le32(chunks[1].body, 0), row.samples);
    }

    if (row.formatTag == 1) {
      ASSERT_EQ(fmt.size(), 16u);
      EXPECT_EQ(le16(fmt, 12), static_cast<std::uint32_t>(row.bits / 8));
      EXPECT_EQ(le32(fmt, 8), static_cast<std::uint32_t>(row.rate * row.bits / 8));
      EXPECT_EQ(data.size(), row.samples * row.bits / 8);
      const std::vector<double> levels = pcmLevels(data, row.bits);
      const auto loudest = std::max_element(levels.begin(), levels.end(), [](double a, double b) {
        return std::abs(a) < std::abs(b);
      });
      EXPECT_GT(std::abs(*loudest), 0.85) << "not loud enough";
      const double peakAt = double(loudest - levels.begin()) / row.rate;
      EXPECT_GE(peakAt, row.peakFrom);
      EXPECT_LE(peakAt, row.peakTo);
      EXPECT_LT(std::abs(levels.back()), 0.02) << "ends with a click";
      continue;
    }

    ASSERT_EQ(fmt.size(), 50u);
    EXPECT_EQ(le32(fmt, 8), 5666u);
    EXPECT_EQ(le16(fmt, 12), 256u);
    EXPECT_EQ(le16(fmt, 16), 32u);
    EXPECT_EQ(le16(fmt, 18), 500u);
    EXPECT_EQ(le16(fmt, 20), 7u);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(static_cast<std::int16_t>(le16(fmt, 22 + 4 * i)), kCoefficients[i][0]);
      EXPECT_EQ(static_cast<std::int16_t>(le16(fmt, 24 + 4 * i)), kCoefficients[i][1]);
    }
    // 33 full blocks of 500 samples, then a 24-sample block: 7 header bytes and 11 of nibbles.
    ASSERT_EQ(data.size(), 8466u);
    for (std::size_t block = 0; block < data.size(); block += 256) EXPECT_LE(data[block], 6);
  }
}

// Decodes the looping fire sound and checks that the step from its last sample back to its first
// is no bigger than the ordinary steps inside it, and that its loudness is even throughout.
TEST(SoundAssets, FlameLoopsWithoutASeam) {
  const std::vector<Chunk> chunks = chunksOf(kSoundFlame);
  ASSERT_EQ(chunks.size(), 4u);
  Bytes blocks(chunks[2].body.begin(), chunks[2].body.end());
  blocks.resize((blocks.size() + 255) / 256 * 256, 0);
  std::vector<std::int16_t> s = decodeMsAdpcm(blocks, 256);
  ASSERT_GE(s.size(), 16524u);
  s.resize(16524);

  std::vector<double> steps;
  for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
  std::ranges::sort(steps);
  const double typicalLargeStep = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::abs(s.front() - s.back()), typicalLargeStep);

  constexpr std::size_t kWindow = 1102;  // 0.1 s
  std::vector<double> rms;
  for (std::size_t start = 0; start + kWindow <= s.size(); start += kWindow) {
    double sum = 0;
    for (std::size_t i = start; i < start + kWindow; ++i) sum += double(s[i]) * s[i];
    rms.push_back(std::sqrt(sum / kWindow));
  }
  double seamSum = 0;
  for (std::size_t i = 0; i < kWindow; ++i) {
    const double v = s[(s.size() - kWindow / 2 + i) % s.size()];
    seamSum += v * v;
  }
  const double seamRms = std::sqrt(seamSum / kWindow);
  const auto [quietest, loudest] = std::ranges::minmax(rms);
  EXPECT_GT(quietest, 0.5 * loudest) << "loudness is not even";
  EXPECT_GE(seamRms, 0.8 * quietest);
  EXPECT_LE(seamRms, 1.25 * loudest);
  EXPECT_LT(loudest, 0.25 * 32768) << "the fire should be quiet";
}

}  // namespace
}  // namespace torvane
