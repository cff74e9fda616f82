#include "overlay/tool_catalogue.h"

#include <array>

namespace torvane {
namespace {

constexpr int kCopyPen = 12;   // paints the pen colour over the pixels
constexpr int kMergePen = 14;  // ORs the pen colour into the pixels
constexpr Colour kBlack = 0;
constexpr Colour kBlue = 0xFF0000;

using C = CursorAsset;

// Indexed by ToolId.
constexpr std::array<ToolActivation, 10> kActivations{{
    {Bucket, C::Bucket, std::nullopt, false},
    {Brush, C::Brush, Pen{15, kBlack, kCopyPen}, false},
    {Pencil, C::Pencil, Pen{1, kBlack, kCopyPen}, false},
    {TextPen, C::TextPen, std::nullopt, false},
    {Stamp, C::Stamp, std::nullopt, true},
    {Ak47, C::Ak47, std::nullopt, false},
    {Laser, C::Laser, std::nullopt, false},
    {Highlighter, C::Highlighter, Pen{5, kBlue, kMergePen}, false},
    {PaintCan, C::PaintCan, Pen{80, kBlack, kCopyPen}, false},
    {Flame, C::Flame, std::nullopt, false},
}};

// Indexed by ToolId. TextPen's press and release leave its cursor in place.
constexpr std::array<GestureCursors, 10> kGestureCursors{{
    {Bucket, C::BucketDown, C::Bucket},
    {Brush, C::BrushDown, C::Brush},
    {Pencil, C::PencilDown, C::Pencil},
    {TextPen, std::nullopt, std::nullopt},
    {Stamp, C::StampDown, C::Stamp},
    {Ak47, C::Ak47Down, C::Ak47},
    {Laser, C::LaserDown, C::Laser},
    {Highlighter, C::HighlighterDown, C::Highlighter},
    {PaintCan, C::PaintCanDown, C::PaintCan},
    {Flame, C::FlameDown, C::Flame},
}};

bool isToolId(int tool) { return tool >= Bucket && tool <= Flame; }

}  // namespace

bool isFreehand(int tool) {
  return tool == Brush || tool == Pencil || tool == Highlighter || tool == PaintCan;
}

const ToolActivation* activationFor(int tool) {
  return isToolId(tool) ? &kActivations[tool] : nullptr;
}

std::optional<CursorAsset> pressedCursorFor(int tool) {
  return isToolId(tool) ? kGestureCursors[tool].pressed : std::nullopt;
}

std::optional<CursorAsset> releasedCursorFor(int tool) {
  return isToolId(tool) ? kGestureCursors[tool].released : std::nullopt;
}

}  // namespace torvane
