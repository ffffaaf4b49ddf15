// SPDX-License-Identifier: MIT
// Starts a program on an X server (a Qt program, or a Windows one under Wine) and times it until
// its top-level window maps.
//
//   window_probe PROGRAM [ARGUMENT...]
//     Prints the milliseconds from exec to the window being mapped, the program's resident
//     memory then, in KiB, and the processor time it had used by then (user and system, which
//     other load on the machine disturbs less than the wall clock), as
//     "mapped_ms=... rss_kib=... cpu_ms=...", and ends the program.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(20);

int Fail(const char* what) {
  std::fprintf(stderr, "window_probe: %s\n", what);
  return EXIT_FAILURE;
}

// Runs `command` (a program and its arguments, such as wine64 and an .exe) in a child process.
pid_t Start(char** command) {
  const pid_t child = fork();
  if (child == 0) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    execv(command[0], command);
    _exit(127);
  }
  return child;
}

// Qt and Wine stamp each top-level window with the id of the process that made it.
bool BelongsTo(Display* display, Window window, pid_t pid) {
  const Atom wm_pid = XInternAtom(display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, wm_pid, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &remaining, &data) != Success ||
      !data) {
    return false;
  }
  const bool match = count == 1 && static_cast<pid_t>(*reinterpret_cast<long*>(data)) == pid;
  XFree(data);
  return match;
}

// Waits for `pid` to map a top-level window, watching the root window's map notifications.
std::optional<Window> WaitForMappedWindow(Display* display, pid_t pid) {
  const auto deadline = Clock::now() + kPatience;
  while (Clock::now() < deadline) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) continue;
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display, event.xmap.window, &attributes) && attributes.width > 1 &&
          BelongsTo(display, event.xmap.window, pid)) {
        return event.xmap.window;
      }
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 10);
  }
  return std::nullopt;
}

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

std::optional<int> WaitForExit(pid_t child, rusage* usage = nullptr) {
  const auto deadline = Clock::now() + kPatience;
  while (Clock::now() < deadline) {
    int status = 0;
    if (wait4(child, &status, WNOHANG, usage) == child) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return std::nullopt;
}

int TimeStart(Display* display, char** command) {
  const auto start = Clock::now();
  const pid_t child = Start(command);
  const std::optional<Window> window = WaitForMappedWindow(display, child);
  const auto mapped = Clock::now();
  const long rss = ResidentKiB(child);
  kill(child, SIGKILL);  // at once: what the processor time counts ends at the mapping
  rusage usage{};
  WaitForExit(child, &usage);
  if (!window) return Fail("the window did not map");
  const double cpu_ms = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  std::printf("mapped_ms=%.2f rss_kib=%ld cpu_ms=%.2f\n",
              std::chrono::duration<double, std::milli>(mapped - start).count(), rss, cpu_ms);
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return Fail("no X display; run under xvfb-run");
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const int result =
      argc >= 2 ? TimeStart(display, argv + 1) : Fail("usage: window_probe PROGRAM [ARGUMENT...]");
  XCloseDisplay(display);
  return result;
}
