#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <numeric>
#include <thread>
#include <vector>

#include "overlay/sound.h"
#include "unit/platform/disk_audio.h"
#include "unit/platform/wav_fixtures.h"

namespace torvane {
namespace {

using fixtures::kDiskRate;
using std::chrono::milliseconds;

constexpr std::size_t kBufferFrames = 1024;

// A smooth waveform that is loud at its start, so the first played frame is not silent.
double waveform(double seconds) {
  return 9000 * std::sin(2 * std::numbers::pi * 220 * seconds) +
         5000 * std::cos(2 * std::numbers::pi * 330 * seconds);
}

template <typename Sample>
std::vector<Sample> sampled(int rate, double seconds, const std::function<Sample(double)>& at) {
  std::vector<Sample> out(static_cast<std::size_t>(rate * seconds));
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = at(double(i) / rate);
  return out;
}

std::int16_t toS16(double value) { return static_cast<std::int16_t>(std::lround(value)); }
std::uint8_t toU8(double value) {
  return static_cast<std::uint8_t>(std::lround(value / 256) + 128);
}

std::size_t firstSoundFrom(const std::vector<std::int16_t>& out, std::size_t from) {
  while (from < out.size() && out[from] == 0) ++from;
  return from;
}

// Where the sound playing at `from` has ended: the start of a whole buffer of silence.
std::size_t silenceFrom(const std::vector<std::int16_t>& out, std::size_t from) {
  std::size_t silent = 0;
  for (; from < out.size() && silent < kBufferFrames; ++from)
    silent = out[from] == 0 ? silent + 1 : 0;
  return from - silent;
}

std::size_t framesFor(milliseconds duration) {
  return static_cast<std::size_t>(duration.count()) * kDiskRate / 1000;
}

TEST(SdlSound, EachFormatArrivesAsTheWaveformItHolds) {
  fixtures::DiskAudio disk("formats");
  constexpr double kSeconds = 0.25;
  const auto pcm16 =
      sampled<std::int16_t>(44100, kSeconds, [](double t) { return toS16(waveform(t)); });
  const auto pcm8 =
      sampled<std::uint8_t>(22050, kSeconds, [](double t) { return toU8(waveform(t)); });
  const auto adpcm =
      sampled<std::int16_t>(11025, kSeconds, [](double t) { return toS16(waveform(t)); });
  struct Case {
    const char* name;
    Bytes wav;
    std::function<double(std::size_t)> expected;  // at an output frame
    double maxError;  // away from the first and last few frames, where resampling rings
    double rmsError;
  };
  const Case cases[] = {
      {"16-bit PCM at 44100 Hz, changed only by rounding", fixtures::pcm16Wav(pcm16, 44100),
       [&](std::size_t i) { return double(pcm16[i]); }, 1, 1},
      {"8-bit PCM at 22050 Hz", fixtures::pcm8Wav(pcm8, 22050),
       [](std::size_t i) { return waveform(double(i) / kDiskRate); }, 400, 150},
      {"Microsoft ADPCM at 11025 Hz", fixtures::msAdpcmWav(adpcm, 11025),
       [](std::size_t i) { return waveform(double(i) / kDiskRate); }, 1200, 200},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(playSound(c.wav)) << c.name;
    std::this_thread::sleep_for(milliseconds(350));
  }
  const std::vector<std::int16_t> out = disk.finish();

  const std::size_t length = static_cast<std::size_t>(kDiskRate * kSeconds);
  std::size_t from = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t onset = firstSoundFrom(out, from);
    ASSERT_LE(onset + length + 2 * kBufferFrames, out.size());
    double worst = 0;
    double squares = 0;
    for (std::size_t i = 0; i < length; ++i) {
      const double error = std::abs(out[onset + i] - c.expected(i));
      squares += error * error;
      if (i >= 64 && i + 64 < length) worst = std::max(worst, error);
    }
    EXPECT_LE(worst, c.maxError);
    EXPECT_LE(std::sqrt(squares / length), c.rmsError);
    // Played at its own rate: silent right after its last frame.
    for (std::size_t i = onset + length; i < onset + length + kBufferFrames; ++i) {
      ASSERT_EQ(out[i], 0) << "frame " << i - onset;
    }
    from = onset + length;
  }
}

TEST(SdlSound, SoundsStartedTogetherMixWithoutCuttingEachOther) {
  fixtures::DiskAudio disk("mix");
  // Constant levels make the sum of the output show whether each sound played in full.
  const std::vector<std::int16_t> longSound(framesFor(milliseconds(400)), 1000);
  const std::vector<std::uint8_t> shortSound(22050 / 5, 128 + 16);  // 0.2 s at level 4096
  ASSERT_TRUE(playSound(fixtures::pcm16Wav(longSound, 44100)));
  ASSERT_TRUE(playSound(fixtures::pcm8Wav(shortSound, 22050)));
  std::this_thread::sleep_for(milliseconds(600));
  const std::vector<std::int16_t> out = disk.finish();

  const double total = std::accumulate(out.begin(), out.end(), 0.0);
  const double expected = 1000.0 * longSound.size() + 4096.0 * 2 * shortSound.size();
  EXPECT_NEAR(total, expected, expected * 0.01);
  const auto framesNear = [&](int level) {
    return std::count_if(out.begin(), out.end(), [&](int v) { return std::abs(v - level) < 50; });
  };
  // The two calls may straddle a buffer boundary.
  const std::size_t overlap = framesFor(milliseconds(200)) - 2 * kBufferFrames;
  EXPECT_GE(framesNear(5096), overlap);
  EXPECT_GE(framesNear(1000), framesFor(milliseconds(200)) - kBufferFrames);
}

TEST(SdlSound, MoreSoundsThanMixerChannelsAllPlayAtOnce) {
  fixtures::DiskAudio disk("many");
  constexpr int kSounds = 40;
  const std::vector<std::int16_t> samples(framesFor(milliseconds(200)), 100);
  const Bytes wav = fixtures::pcm16Wav(samples, 44100);
  for (int i = 0; i < kSounds; ++i) ASSERT_TRUE(playSound(wav));
  std::this_thread::sleep_for(milliseconds(400));
  const std::vector<std::int16_t> out = disk.finish();

  EXPECT_EQ(*std::max_element(out.begin(), out.end()), kSounds * 100);
  EXPECT_NEAR(std::accumulate(out.begin(), out.end(), 0.0), 100.0 * kSounds * samples.size(),
              kSounds * samples.size() * 0.01);
}

TEST(SdlSound, LoopingSoundRepeatsWithoutGapOrOverlap) {
  fixtures::DiskAudio disk("loop");
  // A sawtooth whose jump marks each loop point, and the 11025 Hz compressed roar case: a cosine
  // loud at the loop point, 11 periods long, so its last block is padded.
  std::vector<std::int16_t> saw(4410);
  for (std::size_t i = 0; i < saw.size(); ++i) saw[i] = static_cast<std::int16_t>(-12000 + 5 * i);
  std::vector<std::int16_t> roar(1100);
  for (std::size_t i = 0; i < roar.size(); ++i) {
    roar[i] = toS16(12000 * std::cos(2 * std::numbers::pi * i / 100));
  }
  struct Case {
    const char* name;
    Bytes wav;
    std::size_t period;  // output frames
    std::function<double(std::size_t)> expected;
    double maxError;
  };
  std::vector<std::int16_t> decodedRoar =
      decodeMsAdpcm(encodeMsAdpcm(roar, fixtures::kAdpcmBlockAlign), fixtures::kAdpcmBlockAlign);
  decodedRoar.resize(roar.size());
  // The decoded roar at 44100 Hz, interpolated across the loop point as the loop plays it.
  const auto roarAt = [&](std::size_t i) {
    const std::size_t n = decodedRoar.size();
    const double fraction = (i % 4) / 4.0;
    return (1 - fraction) * decodedRoar[i / 4 % n] + fraction * decodedRoar[(i / 4 + 1) % n];
  };
  const Case cases[] = {
      {"16-bit PCM", fixtures::pcm16Wav(saw, 44100), saw.size(),
       [&](std::size_t i) { return double(saw[i % saw.size()]); }, 1},
      {"Microsoft ADPCM at 11025 Hz", fixtures::msAdpcmWav(roar, 11025), 4 * roar.size(), roarAt,
       500},
  };
  constexpr std::size_t kLoops = 6;
  for (const Case& c : cases) {
    ASSERT_TRUE(playSound(c.wav, true)) << c.name;
    std::this_thread::sleep_for(milliseconds(800));
    stopSound();
    std::this_thread::sleep_for(milliseconds(100));
  }
  const std::vector<std::int16_t> out = disk.finish();

  std::size_t from = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t onset = firstSoundFrom(out, from);
    ASSERT_LE(onset + kLoops * c.period, out.size());
    double worst = 0;
    std::size_t worstAt = 0;
    for (std::size_t i = 0; i < kLoops * c.period; ++i) {
      const double error = std::abs(out[onset + i] - c.expected(i));
      if (error > worst) {
        worst = error;
        worstAt = i;
      }
    }
    EXPECT_LE(worst, c.maxError) << "frame " << worstAt << " of the loop";
    from = silenceFrom(out, onset);
  }
}

TEST(SdlSound, StopSilencesEverySoundWithinABufferAndLaterSoundsPlay) {
  fixtures::DiskAudio disk("stop");
  std::vector<std::int16_t> ripple(441);
  for (std::size_t i = 0; i < ripple.size(); ++i)
    ripple[i] = static_cast<std::int16_t>(-800 + 3 * i);
  const std::vector<std::int16_t> longShot(framesFor(milliseconds(3000)), 3000);
  const auto later = sampled<std::int16_t>(44100, 0.1, [](double t) { return toS16(waveform(t)); });

  const auto start = std::chrono::steady_clock::now();
  const auto framesSinceStart = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() *
           kDiskRate;
  };
  ASSERT_TRUE(playSound(fixtures::pcm16Wav(ripple, 44100), true));
  ASSERT_TRUE(playSound(fixtures::pcm16Wav(longShot, 44100)));
  std::this_thread::sleep_for(milliseconds(300));
  const double framesBeforeStop = framesSinceStart();
  stopSound();
  const double framesAfterStop = framesSinceStart();
  stopSound();  // nothing playing: nothing happens
  std::this_thread::sleep_for(milliseconds(200));
  ASSERT_TRUE(playSound(fixtures::pcm16Wav(later, 44100)));
  std::this_thread::sleep_for(milliseconds(200));
  const std::vector<std::int16_t> out = disk.finish();

  const std::size_t onset = firstSoundFrom(out, 0);
  const std::size_t cut = silenceFrom(out, onset);
  ASSERT_LT(cut, out.size());
  EXPECT_EQ(cut % kBufferFrames, 0u) << "a playback went on into the buffer after the stop";
  // Both sounds play right up to the cut, the ripple riding on the long shot's level.
  ASSERT_GE(cut, onset + 4 * kBufferFrames);
  const std::size_t lastBuffers = cut - 4 * kBufferFrames;
  for (std::size_t i = lastBuffers; i < cut; ++i) {
    ASSERT_NEAR(out[i], 3000, 800) << "frame " << i;
  }
  EXPECT_GT(
      std::count_if(out.begin() + lastBuffers, out.begin() + cut, [](int v) { return v != 3000; }),
      2 * kBufferFrames);
  // The cut falls within a buffer of the call; the disk driver runs slightly fast.
  EXPECT_GE(cut + 2 * kBufferFrames, 0.97 * framesBeforeStop);
  EXPECT_LE(cut, 1.03 * framesAfterStop + 2 * kBufferFrames);

  const std::size_t laterOnset = firstSoundFrom(out, cut);
  EXPECT_GE(laterOnset - cut, framesFor(milliseconds(150)));
  ASSERT_LE(laterOnset + later.size(), out.size());
  for (std::size_t i = 0; i < later.size(); ++i) {
    ASSERT_NEAR(out[laterOnset + i], later[i], 1) << "frame " << i;
  }
}

TEST(SdlSound, OpensOnFirstSoundAndShutsDownWhilePlaying) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::vector<std::int16_t> samples(framesFor(milliseconds(500)), 1000);
  const Bytes wav = fixtures::pcm16Wav(samples, 44100);

  shutdownSound();
  EXPECT_FALSE(playSound(Bytes{}));
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_TRUE(playSound(wav, true));
  EXPECT_TRUE(playSound(wav));
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  shutdownSound();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

  EXPECT_TRUE(playSound(wav));
  shutdownSound();
}

}  // namespace
}  // namespace torvane
