#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/bytes.h"
#include "ms_adpcm_encoder.h"

namespace torvane::fixtures {

inline void appendU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32(Bytes& out, std::uint32_t value) {
  appendU16(out, value & 0xFFFF);
  appendU16(out, value >> 16);
}

inline void appendChunk(Bytes& out, const std::string& tag, const Bytes& body) {
  out.insert(out.end(), tag.begin(), tag.end());
  appendU32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 == 1) out.push_back(0);
}

inline Bytes riffWave(const Bytes& format, const Bytes* fact, const Bytes& data) {
  Bytes body{'W', 'A', 'V', 'E'};
  appendChunk(body, "fmt ", format);
  if (fact) appendChunk(body, "fact", *fact);
  appendChunk(body, "data", data);
  Bytes out{'R', 'I', 'F', 'F'};
  appendU32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes pcmFormat(int rate, int bits) {
  Bytes fmt;
  appendU16(fmt, 1);
  appendU16(fmt, 1);
  appendU32(fmt, static_cast<std::uint32_t>(rate));
  appendU32(fmt, static_cast<std::uint32_t>(rate * bits / 8));
  appendU16(fmt, static_cast<std::uint32_t>(bits / 8));
  appendU16(fmt, static_cast<std::uint32_t>(bits));
  return fmt;
}

// Mono signed 16-bit PCM.
inline Bytes pcm16Wav(std::span<const std::int16_t> samples, int rate) {
  Bytes data;
  for (std::int16_t sample : samples) appendU16(data, static_cast<std::uint16_t>(sample));
  return riffWave(pcmFormat(rate, 16), nullptr, data);
}

// Mono unsigned 8-bit PCM.
inline Bytes pcm8Wav(std::span<const std::uint8_t> samples, int rate) {
  return riffWave(pcmFormat(rate, 8), nullptr, Bytes(samples.begin(), samples.end()));
}

constexpr int kAdpcmBlockAlign = 256;

// Mono Microsoft ADPCM in 256-byte blocks, with the fact chunk that gives the real sample count.
inline Bytes msAdpcmWav(std::span<const std::int16_t> samples, int rate) {
  Bytes fact;
  appendU32(fact, static_cast<std::uint32_t>(samples.size()));
  return riffWave(msAdpcmFormatChunk(rate, kAdpcmBlockAlign), &fact,
                  encodeMsAdpcm(samples, kAdpcmBlockAlign));
}

}  // namespace torvane::fixtures
