// BrivaneDecrypt.exe: the path it takes from its command line, and the real program run as Explorer runs
// it: one opener at a time, the next one giving up with its own exit code, an abandoned turn taken over.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "crypt/EncryptedFile.h"
#include "opener/OpenerCommand.h"
#include "support/Programs.h"
#include "support/TestSupport.h"

namespace {

const wchar_t kPasswordCaption[] = L"Brivane - Enter Password";

TEST(OpenerCommandLine, TakesThePathBetweenTheThirdAndFourthQuotes) {
  const std::wstring longPath = L"C:\\" + std::wstring(400, L'd') + L"\\report.doc.qxenc";
  const std::pair<std::wstring, std::wstring> cases[] = {
      {LR"("C:\Program Files\Brivane\BrivaneDecrypt.exe" "C:\My Files\report.doc.qxenc")", LR"(C:\My Files\report.doc.qxenc)"},
      {LR"("BrivaneDecrypt.exe" "C:\a.qxenc" "C:\b.qxenc" /x)", LR"(C:\a.qxenc)"},   // the rest is ignored
      {LR"("BrivaneDecrypt.exe" "C:\unterminated.qxenc)", LR"(C:\unterminated.qxenc)"},
      {LR"(BrivaneDecrypt.exe "C:\a.qxenc")", L""},                                  // fewer than three quotes
      {LR"("BrivaneDecrypt.exe" C:\a.qxenc)", L""},
      {LR"("BrivaneDecrypt.exe" "")", L""},
      {L"\"BrivaneDecrypt.exe\" \"" + longPath + L"\"", longPath},                    // never cut
  };
  for (const auto& [line, path] : cases) EXPECT_EQ(EncryptedPathFromCommandLine(line), path) << Narrow(line);
  EXPECT_EQ(OpenerMutexName(L"C:\\Program Files\\Brivane\\BrivaneDecrypt.exe"), L"BrivaneDecrypt.exe");
}

// A mutex of its own name, so that these runs meet no real opener.
TEST(OpenerTurns, RunsOnlyWithTheMutexAndTakesOverAnAbandonedOne) {
  const std::wstring module = L"C:\\x\\BrivaneOpenerTurnsTest.exe";
  std::wstring decrypted;
  auto record = [&](const std::wstring& path) { decrypted = path; };
  EXPECT_EQ(RunOpener(L"\"p\" \"C:\\a.qxenc\"", module, record), opener_exit::Done);
  EXPECT_EQ(decrypted, L"C:\\a.qxenc");

  // Held by another thread for longer than the wait: nothing runs.
  HANDLE held = CreateMutexW(nullptr, FALSE, L"BrivaneOpenerTurnsTest.exe");
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    WaitForSingleObject(held, INFINITE);
    WaitForSingleObject(release, INFINITE);
    ReleaseMutex(held);
  });
  Sleep(100);
  decrypted.clear();
  EXPECT_EQ(RunOpener(L"\"p\" \"C:\\b.qxenc\"", module, record), opener_exit::Busy);
  EXPECT_EQ(decrypted, L"");
  SetEvent(release);
  holder.join();

  // Its owner ended without letting go: the next opener goes ahead.
  std::thread([&] { WaitForSingleObject(held, INFINITE); }).join();
  EXPECT_EQ(RunOpener(L"\"p\" \"C:\\c.qxenc\"", module, record), opener_exit::Done);
  EXPECT_EQ(decrypted, L"C:\\c.qxenc");
  CloseHandle(release);
  CloseHandle(held);
}

class OpenerProgram : public ::testing::Test {
 protected:
  std::wstring Encrypted(const std::wstring& name) {
    std::wstring plain = dir_.File(name, "the plain text of " + Narrow(name));
    EXPECT_EQ(EncryptFile(nullptr, plain, L"pw"), 0);
    EXPECT_TRUE(MoveFileW(plain.c_str(), (plain + L".qxenc").c_str()));
    return plain + L".qxenc";
  }
  static std::wstring Opener(const std::wstring& path) {
    return L"\"" + BuildFolder() + L"\\BrivaneDecrypt.exe\" \"" + path + L"\"";
  }
  // The process's password window, cancelled; the program's exit code.
  static DWORD CancelAndWait(StartedProgram& opener) {
    HWND dialog = WaitForWindowOf(opener.id(), kPasswordCaption, 20000);
    EXPECT_TRUE(dialog) << "no password window";
    if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return opener.Wait(20000);
  }

  TempDir dir_;
};

TEST_F(OpenerProgram, ASecondOpenerGivesUpWhileTheFirstAsks) {
  std::wstring first = Encrypted(L"first.txt"), second = Encrypted(L"second.txt");
  StartedProgram one(Opener(first));
  ASSERT_TRUE(WaitForWindowOf(one.id(), kPasswordCaption, 20000));
  StartedProgram two(Opener(second));
  EXPECT_EQ(two.Wait(20000), opener_exit::Busy);
  EXPECT_EQ(CancelAndWait(one), opener_exit::Done);
  EXPECT_TRUE(Exists(first));
  EXPECT_TRUE(Exists(second));
  // Once the first has finished, the next one gets its turn.
  StartedProgram three(Opener(second));
  EXPECT_EQ(CancelAndWait(three), opener_exit::Done);
}

TEST_F(OpenerProgram, AnOpenerWhoseTurnWasAbandonedGoesAhead) {
  std::wstring file = Encrypted(L"notes.txt");
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"BrivaneDecrypt.exe");
  ASSERT_TRUE(mutex);
  std::thread([mutex] { WaitForSingleObject(mutex, INFINITE); }).join();  // ends holding it
  StartedProgram opener(Opener(file));
  EXPECT_EQ(CancelAndWait(opener), opener_exit::Done);
  CloseHandle(mutex);
}

}  // namespace
