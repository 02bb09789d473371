#pragma once
#include <cstdint>

// A context-menu command number, 0-63. Stored in the favourites, so never renumbered.
using CommandId = uint32_t;

constexpr CommandId kCommandCount = 64;
constexpr int kIconSlotCount = 64;

namespace cmd {
enum : CommandId {
  Separator = 0,
  ExtractToFolder = 1,
  ExtractFromFolder = 2,
  Copy = 3,
  Move = 4,
  MoveFilesUp = 5,
  DeleteEmpty = 6,
  InvertSelection = 7,
  CopyPath = 8,
  Touch = 9,
  ListDetailed = 10,
  ListDetailedFullPath = 11,
  ListSimple = 12,
  ListSimpleFullPath = 13,
  Encrypt = 14,
  Decrypt = 15,
  Split = 16,
  Join = 17,
  RenameFindReplace = 18,
  RenameAutoNum = 19,
  RenameAlphabetize = 20,
  RenameAppend = 21,
  RenameAutoNumAppend = 22,
  RenameAlphabetizeAppend = 23,
  RenameSameName = 24,
  RenameTruncate = 25,
  ImageCustomResize = 26,
  ImageResize25 = 27,
  ImageResize50 = 28,
  ImageResize75 = 29,
  ImageResize25Jpeg = 30,
  ImageResize50Jpeg = 31,
  ImageResize75Jpeg = 32,
  ImageConvertJpeg = 33,
  ImageLogo = 34,
  AlbumCustom = 35,
  AlbumWallet = 36,
  Album3x5 = 37,
  Album4x6 = 38,
  Album5x7 = 39,
  Album8x10 = 40,
  Album9x12 = 41,
  AlbumTwoPhoto = 42,
  AlbumFourPhoto = 43,
  SortDesktopCustom = 44,
  SortDesktopRedo = 45,
  SortDesktopEggPlant = 46,
  SortDesktopSunset = 47,
  SortDesktopDark = 48,
  SortDesktopBlueSky = 49,
  About = 50,
  Settings = 51,
  RecentCopyFirst = 52,
  RecentMoveFirst = 57,
  HelpContents = 62,
  ManageFavorites = 63,
};
constexpr int kRecentSlots = 5;
}  // namespace cmd
