#pragma once

// GoogleTest built for Windows with MinGW's win32 thread model, which has no
// std::mutex: its one use of it, Notification, is given on Win32 events.

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {
class Notification {
  public:
    Notification() : m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(m_event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(m_event); }
    void WaitForNotification() { WaitForSingleObject(m_event, INFINITE); }

  private:
    HANDLE m_event;
};
}  // namespace internal
}  // namespace testing
