// Throughput of split, join, encryption and decryption on one large file, and the peak memory of the
// process. Usage: crypt_benchmark [MiB, default 256] [folder, default the temporary folder].
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/Prompt.h"
#include "crypt/EncryptedFile.h"
#include "crypt/PasswordCipher.h"
#include "crypt/PasswordDigest.h"
#include "fileops/FilesRefactor.h"

namespace {

int AlwaysYes(HWND, const wchar_t*, const wchar_t*, UINT) { return IDYES; }

bool WriteSample(const std::wstring& path, uint64_t bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::vector<uint32_t> chunk(1 << 18);  // 1 MiB of a simple generator's output
  uint32_t state = 2463534242u;
  bool ok = true;
  for (uint64_t done = 0; ok && done < bytes; done += chunk.size() * 4) {
    for (uint32_t& word : chunk) {
      state ^= state << 13, state ^= state >> 17, state ^= state << 5;
      word = state;
    }
    DWORD written = 0;
    ok = WriteFile(file, chunk.data(), DWORD(chunk.size() * 4), &written, nullptr) && written == chunk.size() * 4;
  }
  CloseHandle(file);
  return ok;
}

uint64_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

template <class Step>
double Seconds(Step step) {
  auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Line(const char* name, uint64_t bytes, double seconds, const char* note) {
  printf("%-10s %8.3f s %9.1f MB/s  %s\n", name, seconds, double(bytes) / 1e6 / seconds, note);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  uint64_t mib = argc > 1 ? wcstoull(argv[1], nullptr, 10) : 256;
  std::wstring folder;
  if (argc > 2) {
    folder = argv[2];
  } else {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = temp;
  }
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  const uint64_t bytes = mib << 20;
  const std::wstring path = folder + L"\\brivane-benchmark.bin";
  SetPromptHook(AlwaysYes);

  printf("preparing %llu MiB in %ls ...\n", (unsigned long long)mib, folder.c_str());
  if (!WriteSample(path, bytes)) {
    printf("cannot write the sample file\n");
    return 1;
  }

  FilesRefactor refactor;
  OperationResult split, joined;
  const uint64_t pieceSize = bytes / 4;  // five pieces, the header pushing a little into the fifth
  Line("split", bytes, Seconds([&] { refactor.SplitFile(split, path, pieceSize); }), "pieces of a quarter");
  DeleteFileW(path.c_str());
  Line("join", bytes, Seconds([&] { refactor.JoinFiles(joined, split.outputs); }), "");
  for (const std::wstring& piece : split.outputs) DeleteFileW(piece.c_str());
  bool intact = split.status == 0 && joined.status == 0 && SizeOf(path) == bytes;

  const std::wstring password = L"benchmark password";
  int encrypted = -1, decrypted = -1;
  Line("encrypt", bytes, Seconds([&] { encrypted = EncryptFile(nullptr, path, password); }), "EncryptFile, flushed");
  intact &= encrypted == 0 && SizeOf(path) == bytes + 16 && CheckPassword(path, password);
  Line("decrypt", bytes, Seconds([&] { decrypted = DecryptFile(nullptr, path, password); }), "DecryptFile, flushed");
  intact &= decrypted == 0 && SizeOf(path) == bytes;
  DeleteFileW(path.c_str());

  // The cipher alone, in the same 4096-byte blocks, without any file.
  PasswordCipher cipher;
  bool ciphered = cipher.Open(PasswordBytes(password));
  std::vector<uint8_t> block(4096);
  Line("rc4 only", bytes, Seconds([&] {
         for (uint64_t done = 0; ciphered && done < bytes; done += block.size())
           ciphered = cipher.Encrypt(block.data(), DWORD(block.size()), false);
       }),
       "CryptEncrypt on one block array, no I/O");
  intact &= ciphered;

  PROCESS_MEMORY_COUNTERS memory{sizeof memory};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  printf("peak working set %.1f MiB, peak private bytes %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0,
         memory.PeakPagefileUsage / 1048576.0);
  printf("results %s (split %d, join %d, encrypt %d, decrypt %d)\n", intact ? "consistent" : "WRONG", split.status,
         joined.status, encrypted, decrypted);
  return intact ? 0 : 1;
}
