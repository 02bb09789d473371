#include "base/OperationResult.h"

const wchar_t kUnexpectedError[] = L"An unexpected error occured.";

std::wstring ErrorTitle(int32_t kind) {
  switch (kind) {
    case kind::ExtractFromFolder: return L"Brivane - Extract From Folder Operation Error";
    case kind::ExtractToFolder: return L"Brivane - Extract To Folder Operation Error";
    case kind::Copy: return L"Brivane - Copy Operation Error";
    case kind::Move: return L"Brivane - Move Operation Error";
    case kind::ListOfFiles: return L"Brivane - List of Files Operation Error";
    case kind::ResizeImage: return L"Brivane - Resize Image Operation Error";
    case kind::DeleteEmpty: return L"Brivane - Delete Empty Files or Folders Operation Error";
    case kind::Split: return L"Brivane - Split Operation Error";
    case kind::Join: return L"Brivane - Join Operation Error";
    case kind::ImageAlbum: return L"Brivane - Image Album Operation Error";
    case kind::Encrypt: return L"Brivane - Encrypt Operation Error";
    case kind::Decrypt: return L"Brivane - Decrypt Operation Error";
    case kind::Rename: return L"Brivane - Rename Operation Error";
    case kind::Touch: return L"Brivane - Touch Files Operation Error";
    default: return L"Brivane - Operation Error";
  }
}
