#include "shellext/menu/CommandCatalog.h"

namespace {

struct CommandRow {
  const wchar_t* label;
  int iconSlot;
};

const CommandRow kCommands[kCommandCount] = {
    {L"Menu Separator", 32},
    {L"Extract Files to Folder", 6},
    {L"Extract Files from Folder", 5},
    {L"Copy", 1},
    {L"Move", 24},
    {L"Move Files Up", 42},
    {L"Delete Empty Files\\Folders", 3},
    {L"Invert Selection", 34},
    {L"Copy Path to Clipboard", 35},
    {L"Touch", 7},
    {L"Detailed", 9},
    {L"Detailed - Include Full Path", 9},
    {L"Simple", 10},
    {L"Simple - Include Full Path", 10},
    {L"Encrypt", 4},
    {L"Decrypt", 2},
    {L"Split", 18},
    {L"Join", 8},
    {L"Rename - Find and Replace", 29},
    {L"Rename - Autonumbering", 28},
    {L"Rename - Alphabetize", 27},
    {L"Rename - Append", 16},
    {L"Rename - Autonumbering with Append", 28},
    {L"Rename - Alphabetize with Append", 27},
    {L"Rename - Make All Same Name", 16},
    {L"Rename - Truncate", 30},
    {L"Image - Custom Resize", 23},
    {L"Image - Resize 25%", 23},
    {L"Image - Resize 50%", 23},
    {L"Image - Resize 75%", 23},
    {L"Image - Resize 25% (Save as Jpeg)", 23},
    {L"Image - Resize 50% (Save as Jpeg)", 23},
    {L"Image - Resize 75% (Save as Jpeg)", 23},
    {L"Image - Convert to Jpeg", 13},
    {L"Put Logo on Image", 14},
    {L"Image Album - Custom", 26},
    {L"Image Album - Fill Page, Wallet", 26},
    {L"Image Album - Fill Page, 3.5x5", 26},
    {L"Image Album - Fill Page, 4x6", 26},
    {L"Image Album - Fill Page, 5x7", 26},
    {L"Image Album - Fill Page, 8x10", 26},
    {L"Image Album - Fill Page, 9x12", 26},
    {L"Image Album - Page 320x464, Photo 8x10", 26},
    {L"Image Album - Page 320x464, Photo 4x6", 26},
    {L"Sort Desktop - Custom", 36},
    {L"Sort Desktop - Redo Last Sort", 37},
    {L"Sort Desktop - EggPlant", 39},
    {L"Sort Desktop - Sunset", 41},
    {L"Sort Desktop - Dark", 38},
    {L"Sort Desktop - Blue Sky", 40},
    {L"About", 43},
    {L"Settings", 33},
    {nullptr, 1}, {nullptr, 1}, {nullptr, 1}, {nullptr, 1}, {nullptr, 1},      // recent copy folders
    {nullptr, 24}, {nullptr, 24}, {nullptr, 24}, {nullptr, 24}, {nullptr, 24},  // recent move folders
    {L"Contents", 20},
    {L"Manage Favorites", 22},
};

const int kSlotResources[kIconSlotCount] = {
    0,   419, 403, 404, 405, 406, 407, 455, 408, 409, 410, 411, 456, 458, 457, 402,  // 0-15
    413, 414, 415, 418, 416, 417, 420, 421, 422, 423, 424, 425, 426, 427, 413, 428,  // 16-31
    433, 431, 435, 436, 444, 454, 447, 448, 446, 449, 450, 429,                      // 32-43
};

}  // namespace

const wchar_t* CommandLabel(CommandId id) { return id < kCommandCount ? kCommands[id].label : nullptr; }

int CommandIconSlot(CommandId id) { return id < kCommandCount ? kCommands[id].iconSlot : 0; }

int IconResourceOfSlot(int slot) { return slot >= 0 && slot < kIconSlotCount ? kSlotResources[slot] : 0; }
