#pragma once
// The encryption and decryption operations behind FilesRefactor::Encrypt, EncryptList, Decrypt and
// DecryptList (crypt/CryptOperations.cpp): each works through the engine's owner window, progress and
// questions.
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

class Encryptor {
 public:
  explicit Encryptor(const FilesRefactor& engine) : engine_(engine) {}
  void Encrypt(OperationResult& result, const PathList& pathList, const std::wstring& password, bool deleteOriginal);
  void EncryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                   double& position, double step);

 private:
  const FilesRefactor& engine_;
};

class Decryptor {
 public:
  explicit Decryptor(const FilesRefactor& engine) : engine_(engine) {}
  void Decrypt(OperationResult& result, const PathList& pathList, const std::wstring& password);
  void DecryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                   double& position, double step);

 private:
  const FilesRefactor& engine_;
};
