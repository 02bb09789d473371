#include "support/RecordedOpening.h"

#include <utility>

#include "support/TestSupport.h"

RecordedOpening::RecordedOpening(std::wstring record) : record_(std::move(record)) {
  DeleteFileW(record_.c_str());
  RegSetValueW(HKEY_CLASSES_ROOT, L".brvopened", REG_SZ, L"BrivaneTest.Opened", 0);
  std::wstring command = L"\"C:\\windows\\system32\\cmd.exe\" /c copy /y \"%1\" \"" + record_ + L"\"";
  RegSetValueW(HKEY_CLASSES_ROOT, L"BrivaneTest.Opened\\shell\\open\\command", REG_SZ, command.c_str(), 0);
}

RecordedOpening::~RecordedOpening() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L".brvopened");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"BrivaneTest.Opened");
}

std::string RecordedOpening::Opened(DWORD waitMs) const {
  for (DWORD waited = 0; waited < waitMs; waited += 100) {
    if (Exists(record_)) {
      Sleep(300);  // the copy may still be writing
      return ReadBytes(record_);
    }
    Sleep(100);
  }
  return "<not opened>";
}
