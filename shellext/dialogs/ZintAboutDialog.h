#pragma once
// "About Brivane": product, version, two links and "Check for updates".
#include "resource.h"
#include "shellext/dialogs/HyperLink.h"
#include "ui/ZintBaseDialog.h"

class CZintAboutDialog : public CZintBaseDialog<CZintAboutDialog> {
 public:
  enum { IDD = IDD_ABOUT };
  CZintAboutDialog();

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void CheckForUpdates();

  CHyperLink productLink_;
  CHyperLink iconsLink_;
};
