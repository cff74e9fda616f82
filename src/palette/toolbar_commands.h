#pragma once

#include <optional>
#include <string>

namespace torvane {

// A toolbar click passes the clicked button's index, separators counted. These map the index to
// what the button does; an index that names no button gives no tool, and the caller re-applies the
// current tool anyway.

// 工具条1: Pencil, Brush, PaintCan, Highlighter, TextPen, Stamp.
std::optional<int> graffitiTool(int index);
// 工具条2: Ak47, Flame, Laser.
std::optional<int> wreckTool(int index);

// 工具条3: Bucket, a separator, save, exit.
enum class OtherCommand { Bucket, Save, Exit, None };
OtherCommand otherCommand(int index);

// Message box flags and results.
inline constexpr int kMessageOk = 0;
inline constexpr int kMessageOkCancel = 1;
inline constexpr int kMessageError = 16;
inline constexpr int kMessageResultOk = 0;

struct SaveMessage {
  std::string text;
  std::string title;
  int flags = kMessageOk;

  bool operator==(const SaveMessage&) const = default;
};

// The message shown after writing the picture to `path`.
SaveMessage saveResultMessage(bool ok, const std::string& path);

inline constexpr char kExitQuestion[] = "真的要退出吗?";
inline constexpr char kExitTitle[] = "退出";
inline constexpr int kExitFlags = kMessageOkCancel;

}  // namespace torvane
