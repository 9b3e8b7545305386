// Start-up of a program against a bare peer: each program is started from exec to
// the moment the X server maps its first top-level window, and its peak memory is
// read at that moment. Runs alternate between the two programs so that both see the
// same machine load; the ratios of the medians, and of the lower quartiles, are printed.
// The processor time of the process (user and system, all threads) is printed beside
// the wall-clock time because it varies less on a busy machine.
//
// Usage: startup_bench RUNS BARE_PROGRAM PROGRAM [FILE]
// DISPLAY must name an X server that nothing else draws on (for example Xvfb).
// With FILE, both programs are given it as their argument and each run lasts until
// the window's title names the file (its name without the folder): the time to
// show an opened file.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

struct TSample {
  double Millis = 0;     // wall-clock time
  double CpuMillis = 0;  // time on a processor, all threads: less sensitive to load
  long PeakKiB = 0;
};

// An X connection that sees every window mapped on the root window.
class TMapWatcher {
 public:
  TMapWatcher() : Display_(XOpenDisplay(nullptr)) {
    if (Display_ == nullptr)
      throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    NetWmPid_ = XInternAtom(Display_, "_NET_WM_PID", False);
    NetWmName_ = XInternAtom(Display_, "_NET_WM_NAME", False);
    XSelectInput(Display_, DefaultRootWindow(Display_), SubstructureNotifyMask);
    XSync(Display_, True);
  }
  ~TMapWatcher() { XCloseDisplay(Display_); }
  TMapWatcher(const TMapWatcher&) = delete;
  TMapWatcher& operator=(const TMapWatcher&) = delete;

  // Waits until a top-level window of the process is mapped and returns it. Throws
  // when the process ends first or the deadline passes.
  Window WaitForMap(pid_t pid, TClock::time_point deadline) {
    while (true) {
      while (XPending(Display_) > 0) {
        XEvent event;
        XNextEvent(Display_, &event);
        if (IsTopLevelMapOf(event, pid)) return event.xmap.window;
      }
      WaitForEvents(pid, deadline, "no window was mapped in time");
    }
  }

  // Waits until the window's title holds the text. Throws when the process ends
  // first or the deadline passes.
  void WaitForTitle(pid_t pid, Window window, const std::string& text,
                    TClock::time_point deadline) {
    XSelectInput(Display_, window, PropertyChangeMask);
    XSync(Display_, False);
    while (Title(window).find(text) == std::string::npos) {
      while (XPending(Display_) > 0) {
        XEvent event;
        XNextEvent(Display_, &event);
      }
      WaitForEvents(pid, deadline, "the window's title did not change in time");
    }
  }

  // Forgets the events of earlier runs.
  void Discard() { XSync(Display_, True); }

 private:
  void WaitForEvents(pid_t pid, TClock::time_point deadline, const char* late) {
    if (TClock::now() > deadline) throw std::runtime_error(late);
    if (waitpid(pid, nullptr, WNOHANG) == pid)
      throw std::runtime_error("the program ended before it showed a window");
    pollfd connection{ConnectionNumber(Display_), POLLIN, 0};
    poll(&connection, 1, 20);
  }

  // The window's UTF-8 title (_NET_WM_NAME), empty when it has none.
  std::string Title(Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(Display_, window, NetWmName_, 0, 4096, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        data != nullptr && format == 8)
      title.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) XFree(data);
    return title;
  }

  bool IsTopLevelMapOf(const XEvent& event, pid_t pid) {
    if (event.type != MapNotify || event.xmap.override_redirect) return false;
    if (event.xmap.event != DefaultRootWindow(Display_)) return false;
    const long owner = WindowPid(event.xmap.window);
    return owner == pid || owner < 0;  // a window without _NET_WM_PID: nothing else runs here
  }

  // The process that owns the window, or -1 when the window does not say.
  long WindowPid(Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(Display_, window, NetWmPid_, 0, 1, False, XA_CARDINAL,
                                          &type, &format, &count, &remaining, &data);
    long pid = -1;
    if (status == Success && data != nullptr && format == 32 && count == 1)
      pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr) XFree(data);
    return pid;
  }

  Display* Display_;
  Atom NetWmPid_ = None;
  Atom NetWmName_ = None;
};

// The process's peak resident memory (VmHWM) in KiB.
long PeakKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  throw std::runtime_error("no VmHWM for process " + std::to_string(pid));
}

// The time all threads of the process have run so far, in milliseconds.
double CpuMillis(pid_t pid) {
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  double nanoseconds = 0;
  for (const auto& task : std::filesystem::directory_iterator(tasks)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double running = 0;
    if (schedstat >> running) nanoseconds += running;
  }
  return nanoseconds / 1e6;
}

// Starts the program, with the file as its argument unless the file is empty.
pid_t Start(const std::string& program, const std::string& file) {
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (file.empty())
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    else
      execl(program.c_str(), program.c_str(), file.c_str(), static_cast<char*>(nullptr));
    std::perror(program.c_str());
    _exit(127);
  }
  return pid;
}

void Stop(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// One start of the program, stopped as soon as its window is mapped or, given a
// file, as soon as the window's title names the file.
TSample Measure(TMapWatcher& watcher, const std::string& program, const std::string& file) {
  watcher.Discard();
  const TClock::time_point start = TClock::now();
  const pid_t pid = Start(program, file);
  TSample sample;
  try {
    const TClock::time_point deadline = start + std::chrono::seconds(60);
    const Window window = watcher.WaitForMap(pid, deadline);
    if (!file.empty())
      watcher.WaitForTitle(pid, window, std::filesystem::path(file).filename().string(), deadline);
    sample.Millis = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    kill(pid, SIGSTOP);  // the memory as it was when the window appeared
    sample.PeakKiB = PeakKiB(pid);
    sample.CpuMillis = CpuMillis(pid);
  } catch (...) {
    Stop(pid);
    throw;
  }
  Stop(pid);
  return sample;
}

template <typename T>
double Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return static_cast<double>(values[middle]);
  return (static_cast<double>(values[middle - 1]) + static_cast<double>(values[middle])) / 2;
}

struct TSeries {
  explicit TSeries(std::string program) : Program(std::move(program)) {}

  std::string Program;
  std::vector<double> Millis;
  std::vector<double> CpuMillis;
  std::vector<long> PeakKiB;

  void Add(const TSample& sample) {
    Millis.push_back(sample.Millis);
    CpuMillis.push_back(sample.CpuMillis);
    PeakKiB.push_back(sample.PeakKiB);
  }
};

// The value below which a quarter of the runs lie: the runs least disturbed by other
// work on the machine, without depending on a single lucky run as the fastest would.
double LowerQuartile(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[(values.size() - 1) / 4];
}

void Report(const TSeries& bare, const TSeries& program) {
  for (const TSeries* series : {&bare, &program}) {
    const std::string& path = series->Program;
    std::printf("%-16s medians: start-up %7.1f ms, processor %7.1f ms, peak memory %7.0f KiB\n",
                path.substr(path.rfind('/') + 1).c_str(), Median(series->Millis),
                Median(series->CpuMillis), Median(series->PeakKiB));
  }
  std::printf(
      "ratio to the bare program: start-up %.2fx, processor time %.2fx, peak memory %.2fx\n",
      Median(program.Millis) / Median(bare.Millis),
      Median(program.CpuMillis) / Median(bare.CpuMillis),
      Median(program.PeakKiB) / Median(bare.PeakKiB));
  std::printf("ratio of the lower quartiles: start-up %.2fx, processor time %.2fx\n",
              LowerQuartile(program.Millis) / LowerQuartile(bare.Millis),
              LowerQuartile(program.CpuMillis) / LowerQuartile(bare.CpuMillis));
}

int Run(int runs, const std::string& bareProgram, const std::string& program,
        const std::string& file) {
  TMapWatcher watcher;
  Measure(watcher, bareProgram, file);  // warm-up: libraries and fonts into the page cache
  Measure(watcher, program, file);
  TSeries bare(bareProgram);
  TSeries measured(program);
  for (int run = 0; run < runs; ++run) {
    // Alternate which program goes first, so neither always follows the other.
    const bool bareFirst = run % 2 == 0;
    TSeries& first = bareFirst ? bare : measured;
    TSeries& second = bareFirst ? measured : bare;
    first.Add(Measure(watcher, first.Program, file));
    second.Add(Measure(watcher, second.Program, file));
  }
  std::printf("%d interleaved runs each, from exec to %s:\n", runs,
              file.empty() ? "the first mapped window" : "the title naming the file");
  Report(bare, measured);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: %s RUNS BARE_PROGRAM PROGRAM [FILE]\n", argv[0]);
    return 2;
  }
  try {
    return Run(std::atoi(argv[1]), argv[2], argv[3], argc == 5 ? argv[4] : "");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "startup_bench: %s\n", error.what());
    return 1;
  }
}
