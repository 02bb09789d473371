#pragma once
// CZintExtractFolderDialog: "Brivane - Enter Folder Name". Asks for the name of the folder to gather the
// selection in; OK checks the name and runs the extract behind a moving bar.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintExtractFolderDialog : public CZintProgressReportDialog<CZintExtractFolderDialog> {
 public:
  enum { IDD = IDD_EXTRACT_FOLDER };

  // The selection is copied; the new folder goes into workingFolder.
  CZintExtractFolderDialog(PathList selection, HICON commandIcon, std::wstring workingFolder);

  const std::wstring& FolderName() const { return folderName_; }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  std::wstring folderName_ = L"FolderName";
};
