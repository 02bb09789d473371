#include "StandInProcess.h"

#include <sstream>

namespace {

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring self(path, length);
  std::wstring tests = self.substr(0, self.rfind(L'\\'));   // build\tests
  return tests.substr(0, tests.rfind(L'\\'));               // build
}

// Reads the program's output until the program has ended and the pipe holds nothing more. A process the
// program started may hold the pipe's write end for ever (Wine's desktop process, when the program was
// the one to start it), so the end of the program, not of the pipe, ends the reading.
void ReadAll(HANDLE pipe, HANDLE process, std::string& into, std::mutex& lock) {
  char buffer[4096];
  bool ended = false;
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) break;  // every writer has gone
    if (available == 0) {
      if (ended) break;
      ended = !process || WaitForSingleObject(process, 10) == WAIT_OBJECT_0;
      continue;
    }
    DWORD read = 0;
    if (!ReadFile(pipe, buffer, available < sizeof buffer ? available : DWORD(sizeof buffer), &read, nullptr) || !read)
      break;
    std::lock_guard<std::mutex> guard(lock);
    into.append(buffer, read);
  }
  CloseHandle(pipe);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::wstring StandInPath() { return BuildFolder() + L"\\tools\\explorer\\explorer.exe"; }
std::wstring TestHandlerPath() { return BuildFolder() + L"\\tests\\BrivaneTestHandler.dll"; }
std::wstring BrivanePath() { return BuildFolder() + L"\\Brivane.dll"; }

std::wstring Quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

std::wstring ScriptArgument(const std::wstring& file, const std::string& steps) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (handle != INVALID_HANDLE_VALUE) {
    WriteFile(handle, steps.data(), DWORD(steps.size()), &written, nullptr);
    CloseHandle(handle);
  }
  return L" --script " + Quoted(file);
}

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  CreatePipe(&errRead, &errWrite, &inherit, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  std::wstring commandLine = Quoted(program) + L" " + arguments;
  PROCESS_INFORMATION info = {};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    CloseHandle(info.hThread);
  }
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  outReader_ = std::thread(ReadAll, outRead, process_, std::ref(out_), std::ref(lock_));
  errReader_ = std::thread(ReadAll, errRead, process_, std::ref(err_), std::ref(lock_));
}

ChildProcess::~ChildProcess() {
  Wait(0);
  if (process_) CloseHandle(process_);
}

DWORD ChildProcess::Wait(DWORD timeoutMs) {
  DWORD code = DWORD(-1);
  if (process_) {
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_TIMEOUT) {
      TerminateProcess(process_, DWORD(-1));
      WaitForSingleObject(process_, INFINITE);
    }
    GetExitCodeProcess(process_, &code);
  }
  if (outReader_.joinable()) outReader_.join();
  if (errReader_.joinable()) errReader_.join();
  return code;
}

bool ChildProcess::WaitForLine(const std::string& start, DWORD timeoutMs) {
  DWORD begin = GetTickCount();
  for (;;) {
    for (const std::string& line : lines())
      if (line.compare(0, start.size(), start) == 0) return true;
    if (GetTickCount() - begin >= timeoutMs) return false;
    Sleep(50);
  }
}

std::vector<std::string> ChildProcess::lines() const {
  std::lock_guard<std::mutex> guard(lock_);
  return SplitLines(out_);
}

std::string ChildProcess::errors() const {
  std::lock_guard<std::mutex> guard(lock_);
  return err_;
}

bool StandInRun::Has(const std::string& line) const {
  for (const std::string& candidate : lines)
    if (candidate == line) return true;
  return false;
}

std::string StandInRun::Menu() const {
  std::string menu;
  for (const std::string& line : lines)
    if (line.rfind("handler: ", 0) != 0 && line.rfind("selected: ", 0) != 0) menu += line + "\n";
  return menu;
}

std::string StandInRun::MenuFrom(const std::string& first) const {
  std::string menu;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.rfind("selected: ", 0) == 0) break;
    inside = inside || line == first;
    if (inside) menu += line + "\n";
  }
  return menu;
}

std::string StandInRun::LineStarting(const std::string& start) const {
  for (const std::string& line : lines)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

StandInRun RunStandIn(const std::wstring& arguments) {
  ChildProcess process(StandInPath(), arguments);
  StandInRun run;
  run.exitCode = process.Wait();
  run.lines = process.lines();
  run.errors = process.errors();
  return run;
}

DWORD Regsvr32(const std::wstring& module, bool unregister) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  ChildProcess process(std::wstring(system) + L"\\regsvr32.exe", (unregister ? L"/s /u " : L"/s ") + Quoted(module));
  return process.Wait();
}

RegisteredTestHandler::RegisteredTestHandler() {
  module_ = LoadLibraryW(TestHandlerPath().c_str());
  auto reg = module_ ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module_, "DllRegisterServer")) : nullptr;
  ok_ = reg && SUCCEEDED(reg());
}

RegisteredTestHandler::~RegisteredTestHandler() {
  if (!module_) return;
  auto unreg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module_, "DllUnregisterServer"));
  if (unreg) unreg();
  FreeLibrary(module_);
}
