#pragma once

#include "app/bytes.h"

namespace torvane {

// The program's own artwork and sounds, each a whole file compiled in from src/assets/files/.
// They live for the whole run and are never modified; every consumer decodes the bytes itself.

// Cursor files (32 x 32, 32 bits per pixel with alpha).
extern const ByteView kCursorBucket;
extern const ByteView kCursorBrush;
extern const ByteView kCursorPencil;
extern const ByteView kCursorTextPen;
extern const ByteView kCursorStamp;
extern const ByteView kCursorAk47;
extern const ByteView kCursorLaser;
extern const ByteView kCursorHighlighter;
extern const ByteView kCursorPaintCan;
extern const ByteView kCursorFlame;
extern const ByteView kCursorBucketDown;
extern const ByteView kCursorBrushDown;
extern const ByteView kCursorPencilDown;
extern const ByteView kCursorStampDown;
extern const ByteView kCursorAk47Down;
extern const ByteView kCursorLaserDown;
extern const ByteView kCursorHighlighterDown;
extern const ByteView kCursorPaintCanDown;
extern const ByteView kCursorFlameDown;

// 24-bit BMP pictures, drawn with magenta (0xFF00FF) as the transparent colour.
extern const ByteView kStampNoEntry;
extern const ByteView kStampSmiley;
extern const ByteView kStampSkull;
extern const ByteView kStampFlower;
extern const ByteView kBulletHole;
extern const ByteView kScorchHole;
extern const ByteView kSootPatch;

// Mono RIFF WAVE sounds; kSoundFlame is Microsoft ADPCM and loops, the others are PCM.
extern const ByteView kSoundWash;
extern const ByteView kSoundStamp;
extern const ByteView kSoundLaser;
extern const ByteView kSoundShot;
extern const ByteView kSoundFlame;

// The palette's toolbar images: 32 x 32 image-list entries, decoded by toolbarImagePixels().
extern const ByteView kToolbarPencil;
extern const ByteView kToolbarBrush;
extern const ByteView kToolbarPaintCan;
extern const ByteView kToolbarHighlighter;
extern const ByteView kToolbarTextPen;
extern const ByteView kToolbarStamp;
extern const ByteView kToolbarAk47;
extern const ByteView kToolbarFlame;
extern const ByteView kToolbarLaser;
extern const ByteView kToolbarBucket;
extern const ByteView kToolbarCamera;
extern const ByteView kToolbarExit;

// The promotion window's picture: a 21 x 20 GIF89a.
extern const ByteView kPromoPenguin;

}  // namespace torvane
