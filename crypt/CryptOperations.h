#pragma once
// The encryption and decryption operations behind FilesRefactor::Encrypt, EncryptList, Decrypt and
// DecryptList (crypt/CryptOperations.cpp): each works through the engine's owner window, progress and
// questions.
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

// A batch never stops for an item it cannot do: that item stays as it was and is counted in the
// result's failed count, at whatever depth it lies. Only Cancel at a question and an unexpected
// failure of a file operation end the batch.
class Encryptor {
 public:
  explicit Encryptor(const FilesRefactor& engine) : engine_(engine) {}
  void Encrypt(OperationResult& result, const PathList& pathList, const std::wstring& password, bool deleteOriginal);
  void EncryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                   double& position, double step);

 private:
  struct Walk;
  // Encrypts the items, recursing into folders; at the top level every name is checked before an
  // item is touched. False when the whole batch ends; the result then holds status 6 or 1.
  bool EncryptItems(OperationResult& result, const PathList& items, Walk& walk, bool keepOriginals, bool top);
  bool EncryptFolder(OperationResult& result, const std::wstring& path, const std::wstring& target, Walk& walk,
                     bool keepOriginal, uint32_t& failedInside, size_t items);

  const FilesRefactor& engine_;
};

class Decryptor {
 public:
  explicit Decryptor(const FilesRefactor& engine) : engine_(engine) {}
  void Decrypt(OperationResult& result, const PathList& pathList, const std::wstring& password);
  void DecryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                   double& position, double step);

 private:
  // Selected items that are not encrypted count as failed; inside a folder they are carried along.
  void DecryptItems(OperationResult& result, const PathList& items, const std::wstring& password, double& position,
                    double step, bool top);

  const FilesRefactor& engine_;
};
