#include "base/OperationResult.h"

const wchar_t kUnexpectedError[] = L"An unexpected error occured.";

namespace {
struct KindTitle {
  int32_t kind;
  const wchar_t* title;
};
// Kinds without a row (13, the logo's 14, any other value) share the general title.
constexpr KindTitle kErrorTitles[] = {
    {kind::ExtractFromFolder, L"Brivane - Extract From Folder Operation Error"},
    {kind::ExtractToFolder, L"Brivane - Extract To Folder Operation Error"},
    {kind::Copy, L"Brivane - Copy Operation Error"},
    {kind::Move, L"Brivane - Move Operation Error"},
    {kind::ListOfFiles, L"Brivane - List of Files Operation Error"},
    {kind::ResizeImage, L"Brivane - Resize Image Operation Error"},
    {kind::DeleteEmpty, L"Brivane - Delete Empty Files or Folders Operation Error"},
    {kind::Split, L"Brivane - Split Operation Error"},
    {kind::Join, L"Brivane - Join Operation Error"},
    {kind::ImageAlbum, L"Brivane - Image Album Operation Error"},
    {kind::Encrypt, L"Brivane - Encrypt Operation Error"},
    {kind::Decrypt, L"Brivane - Decrypt Operation Error"},
    {kind::Rename, L"Brivane - Rename Operation Error"},
    {kind::Touch, L"Brivane - Touch Files Operation Error"},
};
}  // namespace

std::wstring ErrorTitle(int32_t kind) {
  for (const KindTitle& row : kErrorTitles)
    if (row.kind == kind) return row.title;
  return L"Brivane - Operation Error";
}
