// SPDX-License-Identifier: MIT
// GoogleTest's Notification, which it builds from std::mutex and std::condition_variable, for the
// Windows build's win32-thread runtime, which has neither: a Windows event that lets GoogleTest's
// thread wrapper start its threads.
#pragma once

// Included into every test of the Windows build: std::min and std::max stay usable there.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  ~Notification() { CloseHandle(event_); }

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
