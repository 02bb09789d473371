#include "imaging/ImagingCommands.h"

#include "imaging/ZintImageResizeDialog.h"
#include "imaging/ZintImageResizeFastDialog.h"

ResizePreset ResizePresetFor(CommandId command) {
  switch (command) {
    case cmd::ImageResize25: return {0.25, false};
    case cmd::ImageResize50: return {0.5, false};
    case cmd::ImageResize75: return {0.75, false};
    case cmd::ImageResize25Jpeg: return {0.25, true};
    case cmd::ImageResize50Jpeg: return {0.5, true};
    case cmd::ImageResize75Jpeg: return {0.75, true};
    case cmd::ImageConvertJpeg: return {1.0, true};
    default: return {0, false};
  }
}

namespace {

bool RunResizePreset(CommandContext& context) {
  ResizePreset preset = ResizePresetFor(context.command);
  CZintImageResizeFastDialog dialog(context.selection, context.icon, preset.scale, preset.saveAsJpeg);
  if (dialog.DoModal(context.parent) != IDOK) return false;
  context.result = dialog.Result();
  return true;
}

const CommandAction kRows[] = {
    {cmd::ImageCustomResize, RunFeatureDialog<CZintImageResizeDialog>},
    {cmd::ImageResize25, RunResizePreset},
    {cmd::ImageResize50, RunResizePreset},
    {cmd::ImageResize75, RunResizePreset},
    {cmd::ImageResize25Jpeg, RunResizePreset},
    {cmd::ImageResize50Jpeg, RunResizePreset},
    {cmd::ImageResize75Jpeg, RunResizePreset},
    {cmd::ImageConvertJpeg, RunResizePreset},
};

}  // namespace

CommandRows ImagingCommands() { return RowsOf(kRows); }
