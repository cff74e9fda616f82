#pragma once

#include "app/bytes.h"

namespace torvane {

// Starts an independent playback of a WAV file held in memory (PCM 8 or 16 bit, Microsoft
// ADPCM) and returns at once; the caller may release `wav` straight away. Sounds already playing
// go on. Returns false only when the bytes are no WAV file with a format and a non-empty data
// chunk; without a working audio device it still returns true and nothing is heard.
bool playSound(ByteView wav, bool loop = false);

// Silences every playback at once, looping or not, without waiting for them to wind down.
void stopSound();

// Releases the audio device at program exit; safe when sound was never used or is still playing.
void shutdownSound();

}  // namespace torvane
