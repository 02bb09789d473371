#pragma once
// "Brivane - Settings": the menu mode, "Clear Recent Data" and the automatic update interval.
#include "resource.h"
#include "ui/ZintBaseDialog.h"

class CZintSettingsDialog : public CZintBaseDialog<CZintSettingsDialog> {
 public:
  enum { IDD = IDD_SETTINGS };
  CZintSettingsDialog();

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ClearRecentData();
  void Save();
};

// The update-interval list: "Day", "Week", "Month", "Never" and the days each stands for.
int UpdateIntervalListIndex(uint32_t days);
uint32_t UpdateIntervalOfListIndex(int index);
