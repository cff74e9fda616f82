#include "palette/toolbar_commands.h"

#include <array>

#include "overlay/tool_catalogue.h"

namespace torvane {
namespace {

// Indexed by button position; the toolbar order is not the tool order.
constexpr std::array<ToolId, 6> kGraffitiTools{Pencil,      Brush,   PaintCan,
                                               Highlighter, TextPen, Stamp};
constexpr std::array<ToolId, 3> kWreckTools{Ak47, Flame, Laser};
constexpr std::array<OtherCommand, 4> kOtherCommands{OtherCommand::Bucket, OtherCommand::None,
                                                     OtherCommand::Save, OtherCommand::Exit};

template <typename T, std::size_t N>
std::optional<T> at(const std::array<T, N>& buttons, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return std::nullopt;
  return buttons[index];
}

}  // namespace

std::optional<int> graffitiTool(int index) { return at(kGraffitiTools, index); }

std::optional<int> wreckTool(int index) { return at(kWreckTools, index); }

OtherCommand otherCommand(int index) {
  return at(kOtherCommands, index).value_or(OtherCommand::None);
}

SaveMessage saveResultMessage(bool ok, const std::string& path) {
  if (ok) return {"保存文件 " + path + " 成功!", "成功", kMessageOk};
  return {"保存文件 " + path + " 失败!", "错误", kMessageError};
}

}  // namespace torvane
