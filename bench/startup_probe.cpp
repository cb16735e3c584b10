// Measures one start of a desktop program on the current X display: the time from starting
// it to its first top-level window being mapped and painted, and its resident memory a
// moment later. Used by startup.sh; prints "MILLISECONDS RSS_KB PSS_KB" and stops the program.
//
//   startup_probe SETTLE_MS COMMAND [ARGUMENT...]
//
// "Painted" means the window shows drawn content: at least kPaintedColours distinct pixel
// values in it. Before a program draws, its window is one colour (its background or the
// black screen behind it), so the first frame with text and controls is what is detected.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kPaintedColours = 8;
constexpr auto kGiveUpAfter = std::chrono::seconds(30);

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

std::size_t DistinctColours(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0 ||
      attributes.map_state != IsViewable) {
    return 0;
  }
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  std::set<unsigned long> colours;
  for (int y = 0; y < attributes.height && colours.size() < kPaintedColours; y += 2) {
    for (int x = 0; x < attributes.width; x += 2) colours.insert(XGetPixel(image, x, y));
  }
  XDestroyImage(image);
  return colours.size();
}

struct Memory {
  long resident_kb = 0;      // Rss: every page in memory, shared library code included
  long proportional_kb = 0;  // Pss: shared pages divided among the processes that map them
};

// The memory of the process and every descendant.
Memory MemoryOf(pid_t root) {
  std::vector<pid_t> family{root};
  for (std::size_t i = 0; i < family.size(); ++i) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      const std::string name = entry.path().filename();
      if (name.find_first_not_of("0123456789") != std::string::npos) continue;
      std::ifstream stat(entry.path() / "stat");
      std::string line;
      std::getline(stat, line);
      const auto close = line.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream fields(line.substr(close + 2));
      char state = 0;
      pid_t parent = 0;
      fields >> state >> parent;
      if (parent == family[i]) family.push_back(static_cast<pid_t>(std::stol(name)));
    }
  }
  Memory total;
  for (const pid_t pid : family) {
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    while (rollup >> key) {
      long kb = 0;
      if (key == "Rss:" && rollup >> kb) total.resident_kb += kb;
      if (key == "Pss:" && rollup >> kb) total.proportional_kb += kb;
      rollup.ignore(1 << 16, '\n');
    }
  }
  return total;
}

void Stop(pid_t child) {
  kill(child, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(child, nullptr, WNOHANG) == child) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SETTLE_MS COMMAND [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const auto settle = std::chrono::milliseconds(std::atol(argv[1]));
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup_probe: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const auto started = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::perror("startup_probe: exec");
    _exit(127);
  }

  // The first top-level window the program maps (no window manager: a child of the root).
  Window window = 0;
  while (window == 0) {
    if (std::chrono::steady_clock::now() - started > kGiveUpAfter) {
      std::fprintf(stderr, "startup_probe: no window mapped\n");
      Stop(child);
      return 1;
    }
    while (XPending(display) > 0) {
      XEvent event{};
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect && event.xmap.event == root) {
        window = event.xmap.window;
      }
    }
    if (window == 0) std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  while (DistinctColours(display, window) < kPaintedColours) {
    if (std::chrono::steady_clock::now() - started > kGiveUpAfter) {
      std::fprintf(stderr, "startup_probe: window never painted\n");
      Stop(child);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const auto painted = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(settle);
  const Memory memory = MemoryOf(child);
  Stop(child);
  XCloseDisplay(display);
  const std::chrono::duration<double, std::milli> elapsed = painted - started;
  std::printf("%.1f %ld %ld\n", elapsed.count(), memory.resident_kb, memory.proportional_kb);
  return 0;
}
