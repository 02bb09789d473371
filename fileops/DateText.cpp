#include "fileops/DateText.h"

std::wstring DateText(const FILETIME* time) {
  SYSTEMTIME fields{};
  // A zero file time means the file system recorded none.
  if (!time || (time->dwLowDateTime == 0 && time->dwHighDateTime == 0) || !FileTimeToSystemTime(time, &fields))
    return L"NULL";
  return std::to_wstring(fields.wDay) + L"/" + std::to_wstring(fields.wMonth) + L"/" + std::to_wstring(fields.wYear) +
         L"  " + std::to_wstring(fields.wHour) + L":" + std::to_wstring(fields.wMinute);
}
