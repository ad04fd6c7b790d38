#include "sim_process.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <thread>

namespace roomsim::testing {
namespace {

using rollkeep::win32::UniqueKernelHandle;

// The built roomsim.exe; the build passes its path, a Linux path under Wine.
std::string RoomsimPath() {
#ifdef ROOMSIM_EXE
  std::string path = ROOMSIM_EXE;
  if (!path.empty() && path.front() == '/') {
    std::replace(path.begin(), path.end(), '/', '\\');
    path.insert(0, "Z:");
  }
  return path;
#else
  char own[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string dir(own);
  return dir.substr(0, dir.find_last_of('\\')) + "\\..\\bin\\roomsim.exe";
#endif
}

// A pipe whose write end the child inherits.
bool MakePipe(UniqueKernelHandle& readEnd, UniqueKernelHandle& writeEnd) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE r = nullptr, w = nullptr;
  if (!::CreatePipe(&r, &w, &inherit, 1 << 16)) return false;
  readEnd.reset(r);
  writeEnd.reset(w);
  return ::SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0) != 0;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return "<no answer>";
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::FindWindowExA(parent, nullptr, nullptr, nullptr); child;
       child = ::FindWindowExA(parent, child, nullptr, nullptr)) {
    children.push_back(child);
  }
  return children;
}

// Read through the wide messages: Wine 8 hands a cross-process ANSI
// LB_GETTEXT back in UTF-16.
std::vector<std::string> ListItems(HWND listBox) {
  std::vector<std::string> items;
  auto count = ::SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring wide(static_cast<std::size_t>(::SendMessageW(listBox, LB_GETTEXTLEN, i, 0)) + 1,
                      L'\0');
    wide.resize(static_cast<std::size_t>(
        ::SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()))));
    std::string item(wide.size() * 2, '\0');
    item.resize(static_cast<std::size_t>(::WideCharToMultiByte(
        CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), item.data(),
        static_cast<int>(item.size()), nullptr, nullptr)));
    items.push_back(item);
  }
  return items;
}

TempFile::TempFile(const std::string& content) {
  static std::atomic<int> counter{0};
  char dir[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, dir);
  path_ = std::string(dir) + "roomsim test " + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(counter++) + ".txt";
  std::ofstream(path_, std::ios::binary) << content;
}

TempFile::~TempFile() { ::DeleteFileA(path_.c_str()); }

std::string TempFile::Read() const {
  std::ifstream in(path_, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

SimProcess::SimProcess(const std::string& arguments) {
  UniqueKernelHandle outWrite, errWrite;
  if (!MakePipe(stdout_, outWrite) || !MakePipe(stderr_, errWrite)) return;
  std::string commandLine = "\"";
  commandLine += RoomsimPath();
  commandLine += "\" ";
  commandLine += arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite.get();
  startup.hStdError = errWrite.get();
  PROCESS_INFORMATION info{};
  if (::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &info)) {
    process_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    processId_ = info.dwProcessId;
  }
}

SimProcess::~SimProcess() {
  if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 10000);
  }
}

HWND SimProcess::WaitForFrame() {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND w = ::FindWindowExA(nullptr, nullptr, "AOL Frame25", nullptr); w;
         w = ::FindWindowExA(nullptr, w, "AOL Frame25", nullptr)) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      if (owner == processId_) found = w;
    }
    return found != nullptr;
  });
  return found;
}

DWORD SimProcess::WaitForExit(std::chrono::milliseconds timeout) {
  if (!process_) return STILL_ACTIVE;
  ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count()));
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::string SimProcess::Drain(UniqueKernelHandle& pipe) {
  std::string text;
  char buffer[4096];
  DWORD got = 0, available = 0;
  while (::PeekNamedPipe(pipe.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
         ::ReadFile(pipe.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    text.append(buffer, got);
  }
  return text;
}

}  // namespace roomsim::testing
