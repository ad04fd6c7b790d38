#include "scanner_fixture.h"

#include <chrono>

namespace rollkeep::win32::testing {

namespace {

constexpr char kOwnerClass[] = "RollkeepScannerTestOwner";
constexpr DWORD kSettleMs = 400;

void RegisterOwnerClass(WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExA(::GetModuleHandleA(nullptr), kOwnerClass, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kOwnerClass;
  ::RegisterClassExA(&wc);
}

void HandlePending() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

void PrintTo(const Heard& heard, std::ostream* out) {
  *out << ::testing::PrintToString(heard.screenName) << ": "
       << ::testing::PrintToString(heard.text);
}

void PumpFor(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    HandlePending();
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!done() && ::GetTickCount64() < end) PumpFor(10);
  return done();
}

ScannerTest::ScannerTest() {
  RegisterOwnerClass(OwnerProc);
  owner_ = ::CreateWindowExA(0, kOwnerClass, "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                             nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SetWindowLongPtrA(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  scanner_ = std::make_unique<RoomChatScanner>(
      owner_, [this](const std::string& screenName, const std::string& text) {
        heard_.push_back({screenName, text});
        if (onLine_) onLine_(heard_.back());
      });
}

ScannerTest::~ScannerTest() {
  scanner_.reset();
  DestroyOwner();
}

void ScannerTest::DestroyOwner() {
  if (!owner_) return;
  ::DestroyWindow(owner_);
  owner_ = nullptr;
}

void ScannerTest::PumpUntilHeard(std::size_t count) {
  PumpUntil([&] { return heard_.size() >= count; });
  PumpFor(kSettleMs);
}

void ScannerTest::Tick() {
  if (!scanner_) return;
  const auto start = std::chrono::steady_clock::now();
  scanner_->OnTimer();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  if (took.count() > longestTickMs_) longestTickMs_ = took.count();
}

LRESULT CALLBACK ScannerTest::OwnerProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  try {
    if (message == WM_TIMER && wParam == kScannerTimerId) {
      if (auto* test = reinterpret_cast<ScannerTest*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) {
        test->Tick();
      }
      return 0;
    }
  } catch (...) {
    ADD_FAILURE() << "an exception reached the owner's window procedure";
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace rollkeep::win32::testing
