#pragma once
#include "fileops/CommandAction.h"

// The "Image Manipulation" and "Image Album" entries: the resize dialog, the resize presets and the
// conversion to JPEG (the presets' dialog asks only where the results go), the logo dialog, the album
// dialog and the album presets (straight into the folder's "PhotoAlbum.pdf").
CommandRows ImagingCommands();

// The scale and JPEG flag of a resize preset command (27-33); scale 0 for any other command.
struct ResizePreset {
  double scale;
  bool saveAsJpeg;
};
ResizePreset ResizePresetFor(CommandId command);
