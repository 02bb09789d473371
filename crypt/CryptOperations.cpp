// The encryption members of the operations object: each hands the work to its operation class.
#include "crypt/CryptOperations.h"

void FilesRefactor::Encrypt(OperationResult& result, const PathList& pathList, const std::wstring& password,
                            bool deleteOriginal) {
  Encryptor(*this).Encrypt(result, pathList, password, deleteOriginal);
}

void FilesRefactor::EncryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                                double& position, double step) {
  Encryptor(*this).EncryptList(result, pathList, password, position, step);
}

void FilesRefactor::Decrypt(OperationResult& result, const PathList& pathList, const std::wstring& password) {
  Decryptor(*this).Decrypt(result, pathList, password);
}

void FilesRefactor::DecryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                                double& position, double step) {
  Decryptor(*this).DecryptList(result, pathList, password, position, step);
}
