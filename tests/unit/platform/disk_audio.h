#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "overlay/sound.h"

namespace torvane::fixtures {

constexpr int kDiskRate = 44100;

// Sends the sound layer's output through SDL's disk driver into a raw file, which the driver
// writes at about real-time pace. Construct it before the process's first playSound.
class DiskAudio {
 public:
  explicit DiskAudio(const std::string& name)
      : path_(testing::TempDir() + "torvane_" + name + ".raw") {
    std::remove(path_.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
  }
  ~DiskAudio() { std::remove(path_.c_str()); }

  // Shuts the sound layer down and returns the first output channel of everything it played.
  std::vector<std::int16_t> finish() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    const bool open = Mix_QuerySpec(&rate, &format, &channels) != 0;
    shutdownSound();
    EXPECT_TRUE(open);
    EXPECT_EQ(rate, kDiskRate);
    EXPECT_EQ(format, AUDIO_S16LSB);
    std::ifstream file(path_, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::int16_t> left;
    const std::size_t frameBytes = 2 * static_cast<std::size_t>(channels > 0 ? channels : 1);
    for (std::size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
      left.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                               static_cast<std::uint8_t>(bytes[at + 1]) << 8));
    }
    return left;
  }

 private:
  std::string path_;
};

}  // namespace torvane::fixtures
