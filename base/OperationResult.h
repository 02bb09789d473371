#pragma once
#include <cstdint>
#include <string>

#include "base/PathList.h"
#include "base/StatusRanges.h"

// Statuses shared by every operation; an operation's own failures use the codes of its feature's range.
namespace status {
enum : int32_t {
  Success = 0,
  Unexpected = 1,
  NotFound = 2,  // the item to work on does not exist
  SomeFailed = 3,
  OpenElsewhere = 4,
  WrongPassword = 5,
  UserSaidNo = 6,
};
}
static_assert(StatusesWithin(status_range::Shared, {status::Success, status::Unexpected, status::NotFound,
                                                    status::SomeFailed, status::OpenElsewhere,
                                                    status::WrongPassword, status::UserSaidNo}));

// Which operation produced a result; selects the error dialog's title.
namespace kind {
enum : int32_t {
  ExtractFromFolder = 0,
  ExtractToFolder = 1,
  Copy = 2,
  Move = 3,
  ListOfFiles = 4,
  ResizeImage = 5,
  DeleteEmpty = 6,
  Split = 7,
  Join = 8,
  ImageAlbum = 9,
  Encrypt = 10,
  Decrypt = 11,
  Rename = 12,
  PutLogo = 14,
  Touch = 15,
};
}

struct OperationResult {
  int32_t status = 0;
  int32_t kind = 0;
  std::wstring message;
  uint32_t succeeded = 0;
  uint32_t failed = 0;
  PathList outputs;

  void Clear() { *this = OperationResult{}; }
  // An early stop: the whole selection counts as failed.
  void Stop(int32_t code, const std::wstring& text, size_t selectionSize) {
    status = code;
    message = text;
    succeeded = 0;
    failed = uint32_t(selectionSize);
  }
  // The end of a batch: status 0 with every item counted as done, or status 3 with the number that
  // failed followed by the suffix as the message.
  void Summarize(size_t total, uint32_t failed, const std::wstring& suffix) {
    status = failed == 0 ? status::Success : status::SomeFailed;
    message = failed == 0 ? std::wstring() : std::to_wstring(failed) + suffix;
    succeeded = uint32_t(total) - failed;
    this->failed = failed;
  }
};

// "Brivane - ... Operation Error" for the kind; "Brivane - Operation Error" for any other value.
std::wstring ErrorTitle(int32_t kind);

extern const wchar_t kUnexpectedError[];  // "An unexpected error occured."
