#pragma once
// Helpers for the tests of CBrivaneShellExt: the object itself, a CF_HDROP data object made by hand,
// and a real menu read back with GetMenuItemInfoW.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "RecordingStarter.h"
#include "atl/ComPtr.h"
#include "atl/Handles.h"
#include "shellext/com/BrivaneShellExt.h"
#include "support/SettingsSandbox.h"
#include "support/TestSupport.h"

// Reaches the object's state that Explorer cannot see.
struct ShellExtTestAccess {
  static void SetThemed(CBrivaneShellExt& object, bool themed) { object.themed_ = themed; }
  static bool Themed(const CBrivaneShellExt& object) { return object.themed_; }
  static CommandId CurrentCommand(const CBrivaneShellExt& object) { return object.currentCommand_; }
  // What a command would act on now.
  static const PathList& Selection(CBrivaneShellExt& object) { return object.CommandSelection(); }
  static const CommandTable& Commands(const CBrivaneShellExt& object) { return object.commands_; }
  static const std::wstring& WorkingFolder(const CBrivaneShellExt& object) { return object.workingFolder_; }
};

ComPtr<BrivaneShellExtObject> MakeShellExt();

// A data object that offers exactly these paths as CF_HDROP, or no CF_HDROP at all.
ComPtr<IDataObject> MakeDropData(const std::vector<std::wstring>& paths, bool offerDrop = true);

struct ReadItem {
  MENUITEMINFOW info{};
  std::wstring text;
  bool separator() const { return info.fType & MFT_SEPARATOR; }
  bool greyed() const { return info.fState & MFS_GRAYED; }
};
ReadItem ReadMenuItem(HMENU menu, UINT position);

// The menu in the format of MenuTreeText: one line per entry, two spaces per level.
std::wstring RealMenuTreeText(HMENU menu, const std::wstring& rootText);

// Every entry that is neither a separator nor a submenu caption, in menu order.
std::vector<ReadItem> CommandItems(HMENU menu);
// The first entry with this text, searched depth first; its info.wID is the identifier.
bool FindItem(HMENU menu, const std::wstring& text, ReadItem& found);

// The Brivane popup of a host menu after QueryContextMenu inserted it at index.
HMENU BrivanePopup(HMENU host, UINT index);

std::wstring ClipboardText();

// One object in a private settings key, with program starts recorded instead of made, and Explorer's
// context menu ("Open", "Properties") to insert into.
class ShellExtFixture : public testing::Test {
 protected:
  static constexpr UINT kFirst = 100;
  static constexpr UINT kLast = 0x7FFF;

  void SetUp() override;
  void TearDown() override;

  // Initializes with the paths (CF_HDROP) and builds the menu at index 1 of the host menu.
  HRESULT Query(const PathList& paths, UINT flags = CMF_NORMAL, UINT last = kLast);
  HRESULT QueryAgain(UINT flags = CMF_NORMAL, UINT last = kLast);
  HMENU Popup() const { return BrivanePopup(host_.get(), 1); }
  // The offset of the entry with this text in the menu just built.
  UINT OffsetOf(const std::wstring& text) const;
  HRESULT Invoke(UINT_PTR offset, HWND owner = nullptr);

  SettingsSandbox sandbox_;
  RecordingStarter starter_;
  TempDir dir_;
  UniqueMenu host_;
  ComPtr<BrivaneShellExtObject> object_;
};
