#include "support/DialogProbe.h"

#include <commctrl.h>

#include "support/WindowDriver.h"

void SetText(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}

bool Checked(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::wstring> ListRows(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  std::vector<std::wstring> rows;
  int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) {
    wchar_t text[300] = L"";
    ListView_GetItemText(list, i, 0, text, 300);
    rows.push_back(text);
  }
  return rows;
}

int SelectedListRow(HWND dialog, int id) { return ListView_GetNextItem(GetDlgItem(dialog, id), -1, LVNI_SELECTED); }

void SelectListRow(HWND dialog, int id, int row) {
  HWND list = GetDlgItem(dialog, id);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::vector<std::wstring> ComboEntries(HWND dialog, int id) {
  std::vector<std::wstring> entries;
  int count = int(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[300] = L"";
    if (SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, i, 0) < 300)
      SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

ColumnFit ReadColumnFit(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  ColumnFit fit;
  fit.column = ListView_GetColumnWidth(list, 0);
  RECT client{};
  GetClientRect(list, &client);
  fit.client = client.right - client.left;
  for (const std::wstring& row : ListRows(dialog, id)) {
    int width = ListView_GetStringWidth(list, row.c_str());
    if (width > fit.widestText) fit.widestText = width;
  }
  return fit;
}
