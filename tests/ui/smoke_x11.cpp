// SPDX-License-Identifier: MIT
// Starts the real program on an X server (run it under xvfb-run), checks that its window maps at
// the window's client size, closes it the way a window manager does, and checks that the program
// then ends cleanly. Usage: smoke_x11 PROGRAM
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

namespace {

constexpr int kClientWidth = 4755 / 15;  // twips to pixels
constexpr int kClientHeight = 5235 / 15;
constexpr auto kPatience = std::chrono::seconds(15);

int Fail(const char* what) {
  std::fprintf(stderr, "smoke test failed: %s\n", what);
  return EXIT_FAILURE;
}

bool HasClass(Display* display, Window window, const char* wanted) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const bool match = hint.res_class && std::strcmp(hint.res_class, wanted) == 0;
  XFree(hint.res_name);
  XFree(hint.res_class);
  return match;
}

// The program's top-level window once it is viewable.
std::optional<Window> FindMappedWindow(Display* display) {
  Window root_return, parent_return, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root_return, &parent_return, &children,
                  &count)) {
    return std::nullopt;
  }
  std::optional<Window> found;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable && attributes.width > 1 &&
        HasClass(display, children[i], "threewire")) {
      found = children[i];
    }
  }
  XFree(children);
  return found;
}

void SendDeleteWindow(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

std::optional<int> WaitForExit(pid_t child) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: smoke_x11 PROGRAM");
  Display* display = XOpenDisplay(nullptr);
  if (!display) return Fail("no X display; run under xvfb-run");

  const pid_t child = fork();
  if (child == 0) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    execl(argv[1], argv[1], static_cast<char*>(nullptr));
    _exit(127);
  }

  std::optional<Window> window;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!(window = FindMappedWindow(display)) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!window) {
    kill(child, SIGKILL);
    return Fail("the window did not map");
  }

  XWindowAttributes attributes;
  XGetWindowAttributes(display, *window, &attributes);
  std::printf("window 0x%lx mapped at %dx%d\n", *window, attributes.width, attributes.height);
  if (attributes.width != kClientWidth || attributes.height != kClientHeight) {
    kill(child, SIGKILL);
    return Fail("the window's size is not the client area's");
  }

  SendDeleteWindow(display, *window);
  const std::optional<int> status = WaitForExit(child);
  if (!status) {
    kill(child, SIGKILL);
    return Fail("the program did not end after its window was closed");
  }
  std::printf("program ended with status %d\n", *status);
  XCloseDisplay(display);
  return *status == 0 ? EXIT_SUCCESS : Fail("the program ended with an error");
}
