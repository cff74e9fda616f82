#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "overlay/sound.h"
#include "unit/platform/wav_fixtures.h"

namespace torvane {
namespace {

long heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);
}

// Without a device every sound must still be accepted and end by itself, looping or not, and
// what ended must be released.
void playThousandsOfSounds() {
  const std::vector<std::int16_t> samples(2205, 1000);  // 50 ms
  const Bytes wav = fixtures::pcm16Wav(samples, 44100);
  int refused = 0;
  const auto playMany = [&](int count) {
    for (int i = 0; i < count; ++i) {
      if (!playSound(wav, i % 10 == 0)) ++refused;
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
  };
  // The first round grows the mixer's channel table to what this pace needs.
  playMany(1000);
  const long baseline = heapInUse();
  playMany(2000);
  EXPECT_EQ(refused, 0);
  EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");

  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Mix_Playing(-1), 0) << "playbacks without a device must end by themselves";
  ASSERT_TRUE(playSound(wav));  // releases the ended playbacks
  EXPECT_LT(heapInUse() - baseline, 64L << 10);
  shutdownSound();
}

TEST(SdlSoundWithoutDevice, UnknownDriverStillTakesEverySound) {
  setenv("SDL_AUDIODRIVER", "torvane-no-such-driver", 1);
  playThousandsOfSounds();
}

TEST(SdlSoundWithoutDevice, DeviceThatCannotOpenStillTakesEverySound) {
  setenv("SDL_AUDIODRIVER", "alsa", 1);
  setenv("AUDIODEV", "torvane-no-such-device", 1);
  playThousandsOfSounds();
}

}  // namespace
}  // namespace torvane
