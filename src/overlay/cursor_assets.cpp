#include "overlay/cursor_assets.h"

#include "assets/assets.h"

namespace torvane {

ByteView cursorFile(CursorAsset cursor) {
  switch (cursor) {
    case CursorAsset::Bucket: return kCursorBucket;
    case CursorAsset::Brush: return kCursorBrush;
    case CursorAsset::Pencil: return kCursorPencil;
    case CursorAsset::TextPen: return kCursorTextPen;
    case CursorAsset::Stamp: return kCursorStamp;
    case CursorAsset::Ak47: return kCursorAk47;
    case CursorAsset::Laser: return kCursorLaser;
    case CursorAsset::Highlighter: return kCursorHighlighter;
    case CursorAsset::PaintCan: return kCursorPaintCan;
    case CursorAsset::Flame: return kCursorFlame;
    case CursorAsset::BucketDown: return kCursorBucketDown;
    case CursorAsset::BrushDown: return kCursorBrushDown;
    case CursorAsset::PencilDown: return kCursorPencilDown;
    case CursorAsset::StampDown: return kCursorStampDown;
    case CursorAsset::Ak47Down: return kCursorAk47Down;
    case CursorAsset::LaserDown: return kCursorLaserDown;
    case CursorAsset::HighlighterDown: return kCursorHighlighterDown;
    case CursorAsset::PaintCanDown: return kCursorPaintCanDown;
    case CursorAsset::FlameDown: return kCursorFlameDown;
  }
  return {};
}

}  // namespace torvane
