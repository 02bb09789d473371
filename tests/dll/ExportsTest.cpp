// Brivane.dll's exported operations as another program calls them: linked by import, as the opener
// links it, on real files; its windows answered from a driver thread.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "atl/Handles.h"
#include "crypt/EncryptedFile.h"
#include "fileops/FileMachine.h"
#include "fileops/FilesRefactor.h"
#include "shellext/dll/ExternalZintOperations.h"
#include "shellext/dll/JoinPieces.h"
#include "support/RecordedOpening.h"
#include "support/ScriptedPrompt.h"
#include "support/SettingsSandbox.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

const char kPassword[] = "Amber ferry 42";

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 131 + i / 7) & 0xFF);
  return bytes;
}

// Answers the windows with these captions that any thread of this process shows, with OK, while it
// lives, and records which appeared: the library's reports run on its own threads and modal loops.
class WindowAnswerer {
 public:
  explicit WindowAnswerer(std::set<std::wstring> captions) : captions_(std::move(captions)) {
    thread_ = std::thread([this] {
      while (!stop_) {
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(this));
        Sleep(50);
      }
    });
  }
  ~WindowAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::wstring> seen() const {
    std::lock_guard<std::mutex> guard(lock_);
    return seen_;
  }

 private:
  static BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto* self = reinterpret_cast<WindowAnswerer*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    std::wstring caption = WindowText(window);
    if (!self->captions_.count(caption)) return TRUE;
    {
      std::lock_guard<std::mutex> guard(self->lock_);
      self->seen_.push_back(caption);
    }
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    Sleep(300);  // let it close before the next look
    return TRUE;
  }

  std::set<std::wstring> captions_;
  mutable std::mutex lock_;
  std::vector<std::wstring> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// --- The join piece rule ---

TEST(JoinPieces, TakesThePiecesOfTheSameFileBesideTheOneOpened) {
  const std::wstring d = L"C:\\work\\";
  PathList listing = {d + L"a.qxs2", d + L"a.qxsx", d + L"a.qxs1", d + L"a.qxs", d + L"b.qxs3",
                      d + L"a.qxs10", d + L"a.QXS4", d + L"a.qxs3x", d + L"a.txt", d + L"a.qxs0.bak", d + L"A.qxs5"};
  EXPECT_EQ(JoinSelectionFor(d + L"a.qxs1", listing),
            (PathList{d + L"a.qxs1", d + L"a.qxs2", d + L"a.qxs10", d + L"a.QXS4"}));
  // A dot in the folder is no extension of a name without one.
  EXPECT_EQ(JoinSelectionFor(L"C:\\v1.2\\a.qxs0", {L"C:\\v1.2\\a.qxs0", L"C:\\v1.2\\qxs1", L"C:\\v1.2\\a.qxs1"}),
            (PathList{L"C:\\v1.2\\a.qxs0", L"C:\\v1.2\\a.qxs1"}));
}

class ExportsOnFiles : public ::testing::Test {
 protected:
  TempDir dir_;
  ExternalZintOperations operations_;
};

TEST_F(ExportsOnFiles, JoinFindsThePiecesBesideTheOneOpenedAndJoinsThem) {
  const std::string original = Pattern(1200);
  const std::wstring source = dir_.File(L"report.bin", original);
  {
    ScriptedPrompt yes;
    FilesRefactor refactor;
    OperationResult split;
    refactor.SplitFile(split, source, 100);  // 13 pieces: .qxs0 to .qxs12
    ASSERT_EQ(split.status, 0) << Narrow(split.message);
  }
  ASSERT_TRUE(DeleteFileW(source.c_str()));
  dir_.File(L"report.bin.qxsx", "not a piece");
  dir_.File(L"report.bin.qxs", "not a piece");
  dir_.File(L"other.bin.qxs3", "a piece of another file");

  WindowAnswerer answerer({L"Brivane - Join Operation Error"});
  operations_.ExternalJoinFileDialog(dir_ / L"report.bin.qxs11");
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_TRUE(ReadBytes(source) == original);
}

TEST_F(ExportsOnFiles, AJoinThatFailsIsReportedAndWritesNothing) {
  dir_.File(L"a.bin.qxs1", "piece one");
  dir_.File(L"a.bin.qxs2", "piece two");
  WindowAnswerer answerer({L"Brivane - Join Operation Error"});
  operations_.ExternalJoinFileDialog(dir_ / L"a.bin.qxs1");  // no .qxs0
  EXPECT_EQ(answerer.seen(), std::vector<std::wstring>{L"Brivane - Join Operation Error"});
  EXPECT_FALSE(Exists(dir_ / L"a.bin"));
  operations_.ExternalJoinFileDialog(L"");  // nothing at all
}

// --- Decryption from the opener's entry ---

class DecryptExport : public ExportsOnFiles {
 protected:
  DecryptExport() : opening_(dir_ / L"opened.copy") {}

  // An encrypted "notes.brvopened.qxenc" holding the text.
  std::wstring EncryptedNotes(const std::string& text) {
    std::wstring plain = dir_.File(L"notes.brvopened", text);
    EXPECT_EQ(EncryptFile(nullptr, plain, L"Amber ferry 42"), 0);
    std::wstring encrypted = plain + L".qxenc";
    EXPECT_TRUE(MoveFileW(plain.c_str(), encrypted.c_str()));
    return encrypted;
  }

  // Runs the export on the path with the password typed into its dialog (or Cancel when null).
  bool Decrypt(const std::wstring& path, const char* password) {
    WindowDriver driver(L"Brivane - Enter Password", [password](HWND dialog) {
      if (!password) {
        Click(dialog, IDCANCEL);
      } else {
        std::string typed = password;
        SetDlgItemTextW(dialog, 212, std::wstring(typed.begin(), typed.end()).c_str());
        Click(dialog, IDOK);
      }
    });
    operations_.ExternalDecryptFileDialog(path);
    driver.join();
    return driver.found();
  }

  RecordedOpening opening_;
};

TEST_F(DecryptExport, DecryptsAndOpensWhatItDecrypted) {
  std::wstring encrypted = EncryptedNotes("Meet at the harbour at nine.");
  WindowAnswerer unexpected({L"Brivane - Decrypt Operation Error", L"Wrong Password"});
  ASSERT_TRUE(Decrypt(encrypted, kPassword));
  EXPECT_TRUE(unexpected.seen().empty());
  EXPECT_FALSE(Exists(encrypted));
  EXPECT_EQ(ReadBytes(dir_ / L"notes.brvopened"), "Meet at the harbour at nine.");
  EXPECT_EQ(opening_.Opened(20000), "Meet at the harbour at nine.");
}

TEST_F(DecryptExport, OpensNothingTheDecryptionDidNotProduce) {
  // A wrong password: reported, the file stays encrypted, nothing opens.
  std::wstring encrypted = EncryptedNotes("secret");
  {
    WindowAnswerer answerer({L"Brivane - Decrypt Operation Error", L"Wrong Password"});
    ASSERT_TRUE(Decrypt(encrypted, "not it"));
    EXPECT_EQ(answerer.seen(), (std::vector<std::wstring>{L"Wrong Password", L"Brivane - Decrypt Operation Error"}));
  }
  EXPECT_TRUE(Exists(encrypted));
  // Cancelled: nothing happens.
  ASSERT_TRUE(Decrypt(encrypted, nullptr));
  EXPECT_TRUE(Exists(encrypted));
  // No ".qxenc" name: nothing is decrypted, so nothing opens, although cutting the last six characters
  // ("notes.brvopened.backup" to "notes.brvopened.") names a file that exists.
  dir_.File(L"notes.brvopened", "plain and present");
  std::wstring backup = dir_.File(L"notes.brvopened.backup", "whatever");
  {
    WindowAnswerer answerer({L"Brivane - Decrypt Operation Error"});
    ASSERT_TRUE(Decrypt(backup, kPassword));
  }
  EXPECT_EQ(opening_.Opened(3000), "<not opened>");
  EXPECT_EQ(ReadBytes(backup), "whatever");
}

// The library's dialogs get the version-6 common controls from its own manifest, whatever this
// program's manifest (none) says: only that version's edit box takes a cue banner.
TEST_F(DecryptExport, TheDialogUsesTheLibrarysCommonControls) {
  std::wstring encrypted = EncryptedNotes("x");
  auto takesCueBanner = [](HWND edit) { return SendMessageW(edit, EM_SETCUEBANNER, FALSE, LPARAM(L"cue")) == TRUE; };
  bool libraryEdit = false, ownEdit = true;
  WindowDriver driver(L"Brivane - Enter Password", [&](HWND dialog) {
    libraryEdit = takesCueBanner(GetDlgItem(dialog, 212));
    HWND own = CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ownEdit = takesCueBanner(own);
    DestroyWindow(own);
    Click(dialog, IDCANCEL);
  });
  operations_.ExternalDecryptFileDialog(encrypted);
  driver.join();
  ASSERT_TRUE(driver.found());
  EXPECT_TRUE(libraryEdit);
  EXPECT_FALSE(ownEdit);
}

// --- Redo last desktop sort ---

// Whatever the sort finds, the export leaves the thread's COM as it found it, also when the thread had
// COM running already (its own initialisation then answers S_FALSE and must still be undone).
TEST(RedoLastDesktopSortExport, LeavesComAsItFoundIt) {
  SettingsSandbox sandbox;
  ExternalZintOperations operations;
  operations.RedoLastDesktopSort();
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  operations.RedoLastDesktopSort();
  CoUninitialize();
  HRESULT again = CoInitialize(nullptr);
  EXPECT_EQ(again, S_OK);
  if (SUCCEEDED(again)) CoUninitialize();
}

// --- The message hook ---

std::atomic<int> g_seenByOwnHook{0};
LRESULT CALLBACK OwnHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code >= 0 && reinterpret_cast<MSG*>(lparam)->message == WM_APP + 7) ++g_seenByOwnHook;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Posts a message to a fresh thread and returns the wparam it received.
WPARAM RoundTrip(WPARAM value) {
  std::atomic<DWORD> threadId{0};
  WPARAM received = 0;
  std::thread receiver([&] {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // make the queue
    threadId = GetCurrentThreadId();
    if (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message == WM_APP + 7) received = message.wParam;
  });
  while (!threadId) Sleep(1);
  PostThreadMessageW(threadId, WM_APP + 7, value, 0);
  receiver.join();
  return received;
}

TEST(MessageHookExports, InstallPassesEveryMessageOnUnchangedAndRemoves) {
  // A hook set before ours is called after it: it sees the messages only if ours passes them on.
  HHOOK own = SetWindowsHookExW(WH_GETMESSAGE, OwnHook, GetModuleHandleW(nullptr), 0);
  ASSERT_TRUE(own);
  HHOOK hook = InstallHook();
  ASSERT_TRUE(hook);
  EXPECT_EQ(InstallHook(), hook);  // one hook at a time

  EXPECT_EQ(RoundTrip(4242), 4242u);
  EXPECT_EQ(g_seenByOwnHook, 1);

  EXPECT_TRUE(RemoveHook());
  EXPECT_FALSE(RemoveHook());
  UnhookWindowsHookEx(own);
  EXPECT_EQ(RoundTrip(7), 7u);
  EXPECT_EQ(g_seenByOwnHook, 1);
}

}  // namespace
