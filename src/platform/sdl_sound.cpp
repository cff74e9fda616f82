#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "overlay/sound.h"
#include "overlay/wav_file.h"
#include "platform/shared_library.h"

namespace torvane {
namespace {

constexpr int kOutputRate = 44100;
constexpr Uint16 kOutputFormat = AUDIO_S16SYS;
constexpr int kOutputChannels = 2;
// 23 ms at 44.1 kHz: short enough that stopSound is heard at once, long enough to mix cheaply.
constexpr int kBufferFrames = 1024;
constexpr int kInitialMixChannels = 16;
// More than the program's sounds, so each is resampled only once per run.
constexpr std::size_t kRecentSounds = 8;

enum class Output { Closed, Device, Silent, Unavailable };

// SDL and SDL_mixer, with the codec and audio-server libraries they pull in, are loaded at the
// first sound, not with the program: loading them would delay the frozen picture at start.
struct Sdl {
  decltype(&::SDL_InitSubSystem) SDL_InitSubSystem = nullptr;
  decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem = nullptr;
  decltype(&::SDL_SetHint) SDL_SetHint = nullptr;
  decltype(&::SDL_SetHintWithPriority) SDL_SetHintWithPriority = nullptr;
  decltype(&::SDL_ResetHint) SDL_ResetHint = nullptr;
  decltype(&::SDL_RWFromConstMem) SDL_RWFromConstMem = nullptr;
  decltype(&::SDL_LoadWAV_RW) SDL_LoadWAV_RW = nullptr;
  decltype(&::SDL_FreeWAV) SDL_FreeWAV = nullptr;
  decltype(&::SDL_BuildAudioCVT) SDL_BuildAudioCVT = nullptr;
  decltype(&::SDL_ConvertAudio) SDL_ConvertAudio = nullptr;
  decltype(&::Mix_OpenAudio) Mix_OpenAudio = nullptr;
  decltype(&::Mix_CloseAudio) Mix_CloseAudio = nullptr;
  decltype(&::Mix_Quit) Mix_Quit = nullptr;
  decltype(&::Mix_QuerySpec) Mix_QuerySpec = nullptr;
  decltype(&::Mix_ChannelFinished) Mix_ChannelFinished = nullptr;
  decltype(&::Mix_AllocateChannels) Mix_AllocateChannels = nullptr;
  decltype(&::Mix_GetChunk) Mix_GetChunk = nullptr;
  decltype(&::Mix_QuickLoad_RAW) Mix_QuickLoad_RAW = nullptr;
  decltype(&::Mix_PlayChannel) Mix_PlayChannel = nullptr;
  decltype(&::Mix_Playing) Mix_Playing = nullptr;
  decltype(&::Mix_HaltChannel) Mix_HaltChannel = nullptr;
  decltype(&::Mix_FreeChunk) Mix_FreeChunk = nullptr;
};

// Null when the libraries cannot be loaded; then no sound is heard.
const Sdl* sdl() {
  static const std::optional<Sdl> loaded = []() -> std::optional<Sdl> {
    void* base = openSharedLibrary("libSDL2-2.0.so.0");
    void* mixer = openSharedLibrary("libSDL2_mixer-2.0.so.0");
    Sdl a;
    if (!bindFunction(base, "SDL_InitSubSystem", a.SDL_InitSubSystem) ||
        !bindFunction(base, "SDL_QuitSubSystem", a.SDL_QuitSubSystem) ||
        !bindFunction(base, "SDL_SetHint", a.SDL_SetHint) ||
        !bindFunction(base, "SDL_SetHintWithPriority", a.SDL_SetHintWithPriority) ||
        !bindFunction(base, "SDL_ResetHint", a.SDL_ResetHint) ||
        !bindFunction(base, "SDL_RWFromConstMem", a.SDL_RWFromConstMem) ||
        !bindFunction(base, "SDL_LoadWAV_RW", a.SDL_LoadWAV_RW) ||
        !bindFunction(base, "SDL_FreeWAV", a.SDL_FreeWAV) ||
        !bindFunction(base, "SDL_BuildAudioCVT", a.SDL_BuildAudioCVT) ||
        !bindFunction(base, "SDL_ConvertAudio", a.SDL_ConvertAudio) ||
        !bindFunction(mixer, "Mix_OpenAudio", a.Mix_OpenAudio) ||
        !bindFunction(mixer, "Mix_CloseAudio", a.Mix_CloseAudio) ||
        !bindFunction(mixer, "Mix_Quit", a.Mix_Quit) ||
        !bindFunction(mixer, "Mix_QuerySpec", a.Mix_QuerySpec) ||
        !bindFunction(mixer, "Mix_ChannelFinished", a.Mix_ChannelFinished) ||
        !bindFunction(mixer, "Mix_AllocateChannels", a.Mix_AllocateChannels) ||
        !bindFunction(mixer, "Mix_GetChunk", a.Mix_GetChunk) ||
        !bindFunction(mixer, "Mix_QuickLoad_RAW", a.Mix_QuickLoad_RAW) ||
        !bindFunction(mixer, "Mix_PlayChannel", a.Mix_PlayChannel) ||
        !bindFunction(mixer, "Mix_Playing", a.Mix_Playing) ||
        !bindFunction(mixer, "Mix_HaltChannel", a.Mix_HaltChannel) ||
        !bindFunction(mixer, "Mix_FreeChunk", a.Mix_FreeChunk)) {
      return std::nullopt;
    }
    return a;
  }();
  return loaded ? &*loaded : nullptr;
}

// Samples in the mixer's format. Never written after conversion, so playbacks share them: a
// playback's reference keeps them alive whatever happens to the caller's bytes or to the cache.
using MixerSamples = std::shared_ptr<std::vector<Uint8>>;

// One playback: the mixer plays `chunk`, which points into the playback's samples.
struct Playback {
  MixerSamples samples;
  Mix_Chunk* chunk = nullptr;

  Playback() = default;
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;
  // Mix_FreeChunk takes the audio lock, so the mixer has finished with the samples afterwards.
  ~Playback() { sdl()->Mix_FreeChunk(chunk); }
};

// A sound already decoded and resampled to the mixer's format: resampling a 20 KB shot takes
// over a millisecond, while the Ak47 plays it every 70 ms.
struct ConvertedSound {
  Bytes wav;
  bool loop = false;
  MixerSamples samples;  // null when the device cannot play the format
};

struct SoundLayer {
  Output output = Output::Closed;
  bool usesDummyDriver = false;
  std::unordered_map<Mix_Chunk*, std::unique_ptr<Playback>> playbacks;
  std::list<ConvertedSound> recent;  // most recently played first
  std::vector<Mix_Chunk*> reaping;
  // Chunks whose channel has finished, filled on the audio thread and emptied on the UI thread.
  std::mutex finishedMutex;
  std::vector<Mix_Chunk*> finished;
};

// Never destroyed: shutdownSound releases what it holds while SDL is still up.
SoundLayer& layer() {
  static SoundLayer* const instance = new SoundLayer;
  return *instance;
}

// Runs on the audio thread with the mixer locked, or inside Mix_HaltChannel: it may not free.
void SDLCALL onChannelFinished(int channel) {
  SoundLayer& sound = layer();
  std::lock_guard lock(sound.finishedMutex);
  sound.finished.push_back(sdl()->Mix_GetChunk(channel));
}

void releaseFinished(SoundLayer& sound) {
  {
    std::lock_guard lock(sound.finishedMutex);
    sound.reaping.swap(sound.finished);
  }
  for (Mix_Chunk* chunk : sound.reaping) sound.playbacks.erase(chunk);
  sound.reaping.clear();
}

bool openMixer(const Sdl& api) {
  if (api.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (api.Mix_OpenAudio(kOutputRate, kOutputFormat, kOutputChannels, kBufferFrames) == 0) {
    return true;
  }
  api.SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}

void openOutput(SoundLayer& sound) {
  const Sdl* api = sdl();
  if (!api) {
    sound.output = Output::Unavailable;
    return;
  }
  // A compressed file pads its last block; its fact chunk tells how many samples are real, and
  // a loop must not play the padding.
  api->SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "ignorezero");
  if (openMixer(*api)) {
    sound.output = Output::Device;
  } else {
    // No usable device: the dummy driver consumes audio in real time, so playbacks still end.
    api->SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    sound.usesDummyDriver = true;
    sound.output = openMixer(*api) ? Output::Silent : Output::Unavailable;
  }
  if (sound.output == Output::Unavailable) return;
  api->Mix_ChannelFinished(onChannelFinished);
  api->Mix_AllocateChannels(kInitialMixChannels);
}

std::size_t frameBytes(Uint16 format, int channels) {
  return static_cast<std::size_t>(SDL_AUDIO_BITSIZE(format) / 8 * channels);
}

// Decodes a WAV file and converts it to the mixer's format. A looping sound is resampled between
// two copies of itself and cut from the middle, so that the resampler sees the sound's start after
// its end and the loop point stays seamless.
MixerSamples convertForMixer(const Sdl& api, const Bytes& wav, bool loop) {
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  if (wav.size() > INT_MAX || !api.Mix_QuerySpec(&rate, &format, &channels)) return {};
  SDL_AudioSpec spec;
  Uint8* decoded = nullptr;
  Uint32 decodedBytes = 0;
  if (!api.SDL_LoadWAV_RW(api.SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1,
                          &spec, &decoded, &decodedBytes)) {
    return {};
  }
  const std::unique_ptr<Uint8, decltype(api.SDL_FreeWAV)> decodedOwner(decoded, api.SDL_FreeWAV);
  const std::size_t inFrame = frameBytes(spec.format, spec.channels);
  SDL_AudioCVT cvt;
  if (inFrame == 0 || api.SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, format,
                                            static_cast<Uint8>(channels), rate) < 0) {
    return {};
  }
  const std::size_t bytes = decodedBytes - decodedBytes % inFrame;
  const std::size_t copies = loop && cvt.needed ? 3 : 1;
  if (bytes == 0 || bytes * copies * static_cast<std::size_t>(cvt.len_mult) > INT_MAX) return {};

  std::vector<Uint8> buffer(bytes * copies * static_cast<std::size_t>(cvt.len_mult));
  for (std::size_t i = 0; i < copies; ++i) std::memcpy(buffer.data() + i * bytes, decoded, bytes);
  std::size_t converted = bytes;
  if (cvt.needed) {
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(bytes * copies);
    if (api.SDL_ConvertAudio(&cvt) != 0) return {};
    converted = static_cast<std::size_t>(cvt.len_cvt);
  }
  const std::size_t outFrame = frameBytes(format, channels);
  const std::size_t period = converted / copies / outFrame * outFrame;
  if (period == 0) return {};
  buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(copies / 2 * period));
  buffer.resize(period);
  buffer.shrink_to_fit();
  return std::make_shared<std::vector<Uint8>>(std::move(buffer));
}

MixerSamples convertedSamples(SoundLayer& sound, ByteView wav, const WavLayout& layout, bool loop) {
  const auto hit = std::find_if(sound.recent.begin(), sound.recent.end(), [&](const auto& entry) {
    return entry.loop == loop && std::ranges::equal(entry.wav, wav);
  });
  if (hit != sound.recent.end()) {
    sound.recent.splice(sound.recent.begin(), sound.recent, hit);
  } else {
    sound.recent.push_front(
        ConvertedSound{Bytes(wav.begin(), wav.end()), loop,
                       convertForMixer(*sdl(), canonicalWav(wav, layout), loop)});
    if (sound.recent.size() > kRecentSounds) sound.recent.pop_back();
  }
  return sound.recent.front().samples;
}

int playOnFreeChannel(const Sdl& api, Mix_Chunk* chunk, int loops) {
  const int channel = api.Mix_PlayChannel(-1, chunk, loops);
  const int channels = api.Mix_AllocateChannels(-1);
  if (channel >= 0 || api.Mix_Playing(-1) < channels) return channel;
  // Every channel is busy: add more rather than drop this sound or cut an older one.
  api.Mix_AllocateChannels(channels * 2);
  return api.Mix_PlayChannel(-1, chunk, loops);
}

}  // namespace

bool playSound(ByteView wav, bool loop) {
  const std::optional<WavLayout> layout = parseWav(wav);
  if (!layout) return false;
  SoundLayer& sound = layer();
  if (sound.output == Output::Closed) openOutput(sound);
  if (sound.output == Output::Unavailable) return true;
  const Sdl& api = *sdl();
  releaseFinished(sound);

  auto playback = std::make_unique<Playback>();
  playback->samples = convertedSamples(sound, wav, *layout, loop);
  if (!playback->samples) return true;
  playback->chunk = api.Mix_QuickLoad_RAW(playback->samples->data(),
                                          static_cast<Uint32>(playback->samples->size()));
  if (!playback->chunk) return true;
  // Nobody hears a loop on the dummy driver, and it has to end by itself.
  const int loops = loop && sound.output == Output::Device ? -1 : 0;
  if (playOnFreeChannel(api, playback->chunk, loops) >= 0) {
    Mix_Chunk* const chunk = playback->chunk;
    sound.playbacks.emplace(chunk, std::move(playback));
  }
  return true;
}

void stopSound() {
  SoundLayer& sound = layer();
  if (sound.output != Output::Device && sound.output != Output::Silent) return;
  sdl()->Mix_HaltChannel(-1);
  releaseFinished(sound);
}

void shutdownSound() {
  SoundLayer& sound = layer();
  // Sound never used: the libraries were never loaded, and are not loaded now.
  if (sound.output == Output::Closed) return;
  if (const Sdl* api = sdl()) {
    if (sound.output != Output::Unavailable) {
      api->Mix_HaltChannel(-1);
      api->Mix_ChannelFinished(nullptr);
      releaseFinished(sound);
      sound.playbacks.clear();
      api->Mix_CloseAudio();
      api->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    api->Mix_Quit();
    if (sound.usesDummyDriver) api->SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }
  sound.recent.clear();
  sound.usesDummyDriver = false;
  sound.output = Output::Closed;
}

}  // namespace torvane
