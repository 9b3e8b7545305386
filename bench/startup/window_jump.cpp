// How quickly the editor's window answers in its variables table, with a small
// table as the peer in the same process: the editor's own window, started as the
// program starts it, opens each file in turn (a fresh window each round, so only
// one window watches the input) and the probe sends it input as the user gives
// it: keys through Qt's test functions, a press, move and release of the mouse
// to the scroll bar, each through the application's event filters:
//   Ctrl+End    from the first row to the last one;
//   scroll bar  the bar's slider dragged from the top to the bottom of its groove;
//   cell edit   F2, one letter and Enter in a row in the middle of the table;
//   undo        Ctrl+Z, taking that edit back;
//   row insert  Insert in the middle of the table (then taken back, untimed).
// Each action is timed from just before its input until the event loop first goes
// idle after the table's viewport painted (the answer, wall-clock time), and in
// processor time of the whole process from the input until the loop has stayed
// idle a little while (all the work the input caused, however it was scheduled).
// Prints the medians of each file and their ratios (large table against small).
//
// Usage: window_jump ROUNDS PEER_FILE FILE
// DISPLAY must name an X server that nothing else draws on (for example Xvfb).
#include <QAbstractEventDispatcher>
#include <QAbstractSlider>
#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/app.h"
#include "ui/widgets/variablesgrid.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kRepeats = 5;  // of each action in each round

double ProcessCpuMillis() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct TSample {
  double Millis = 0;     // from the input until the loop is idle after the paint
  double CpuMillis = 0;  // processor time, all threads, until the loop has settled
};

// Sees the viewport's paints and the event loop going idle.
class TAnswerWatch : public QObject {
 public:
  explicit TAnswerWatch(QWidget& viewport) : Viewport_(viewport) {
    Viewport_.installEventFilter(this);
  }

  // Watches for a paint for which `painted` holds, from now on.
  void Arm(const std::function<bool()>& painted) {
    Painted_ = painted;
    Seen_ = false;
  }

  // Runs the event loop after an input sent at `start`: until the loop goes idle
  // after a paint for which `painted` holds, then for a quiet while more.
  TSample Await(const char* name, TClock::time_point start, double startCpu) {
    QEventLoop loop;
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool answered = false;
    TSample sample;
    const auto idle = QObject::connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
          if (!Seen_ || answered) return;
          answered = true;
          sample.Millis = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
          quiet.start(40);
        });
    quiet.start(20000);  // the deadline, unless the answer comes first
    loop.exec();
    QObject::disconnect(idle);
    if (!answered)
      throw std::runtime_error(std::string("the table did not repaint in time: ") + name);
    sample.CpuMillis = ProcessCpuMillis() - startCpu;
    return sample;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &Viewport_ && event->type() == QEvent::Paint && Painted_ && Painted_())
      Seen_ = true;
    return false;
  }

 private:
  QWidget& Viewport_;
  std::function<bool()> Painted_;
  bool Seen_ = false;
};

// A mouse event as a drag with the left button makes it.
void Mouse(QWidget& widget, QEvent::Type type, const QPoint& at, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// Lets every pending piece of work finish before the next input.
void Settle() {
  QEventLoop loop;
  QTimer quiet;
  QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
  quiet.start(60);
  loop.exec();
}

using TSamples = std::map<std::string, std::vector<TSample>>;

// The editor's window showing the file's variables page, the table focused.
class TProbe {
 public:
  explicit TProbe(const QString& file) : Window_(CreateMainWindow()) {
    Window_->show();
    if (!QTest::qWaitForWindowExposed(Window_.get()))
      throw std::runtime_error("the window was not shown");
    OpenAtStartUp(*Window_, file);
    Grid_ = Window_->findChild<TVariablesGrid*>(QStringLiteral("Variables"));
    auto* pages = Window_->findChild<QTabWidget*>(QStringLiteral("Pages"));
    if (Grid_ == nullptr || pages == nullptr) throw std::runtime_error("no variables table");
    pages->setCurrentIndex(3);
    QApplication::setActiveWindow(Window_.get());
    Grid_->setFocus();
    Watch_ = std::make_unique<TAnswerWatch>(*Grid_->viewport());
    Settle();
    if (Grid_->RowCount() < 3) throw std::runtime_error("the table shows no rows");
  }

  int DataRows() const { return LastRow(); }

  void Measure(TSamples& samples) {
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
      samples["Ctrl+End"].push_back(CtrlEnd());
      samples["scroll bar"].push_back(DragScrollBar());
      samples["cell edit"].push_back(EditCell());
      samples["undo"].push_back(Undo());
      samples["row insert"].push_back(InsertRow());
    }
  }

 private:
  int LastRow() const { return Grid_->RowCount() - 1; }
  bool LastRowInView() const { return Grid_->TopRow() + Grid_->VisibleDataRows() > LastRow(); }

  TSample Timed(const char* name, const std::function<void()>& input,
                const std::function<bool()>& painted) {
    Settle();
    Watch_->Arm(painted);
    const double cpu = ProcessCpuMillis();
    const TClock::time_point start = TClock::now();
    input();
    return Watch_->Await(name, start, cpu);
  }

  TSample CtrlEnd() {
    Grid_->SetCurrentCell(1, 0);
    return Timed(
        "Ctrl+End", [this] { QTest::keyClick(Grid_, Qt::Key_End, Qt::ControlModifier); },
        [this] { return Grid_->CurrentRow() == LastRow() && LastRowInView(); });
  }

  // Presses the slider, moves it to the bottom of the groove, releases it there.
  TSample DragScrollBar() {
    QScrollBar* bar = Grid_->verticalScrollBar();
    bar->setValue(0);
    Settle();
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    const QRect slider = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarSlider, bar);
    const QPoint from = slider.center();
    const QPoint to(from.x(), bar->height() - 1);
    TSample sample = Timed(
        "scroll bar",
        [&] {
          Mouse(*bar, QEvent::MouseButtonPress, from, Qt::LeftButton);
          Mouse(*bar, QEvent::MouseMove, to, Qt::NoButton);
          Mouse(*bar, QEvent::MouseButtonRelease, to, Qt::LeftButton);
        },
        [this] { return LastRowInView(); });
    if (bar->value() != bar->maximum()) throw std::runtime_error("the drag did not reach the end");
    return sample;
  }

  TSample EditCell() {
    Grid_->SetCurrentCell(LastRow() / 2, 1);
    return Timed(
        "cell edit",
        [this] {
          QTest::keyClick(Grid_, Qt::Key_F2);
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::NoModifier);
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        },
        [this] { return !Grid_->IsEditing(); });
  }

  // Inserts a row in the middle; the insertion is taken back untimed.
  TSample InsertRow() {
    Grid_->SetCurrentCell(LastRow() / 2, 1);
    const int rows = Grid_->RowCount();
    TSample sample = Timed(
        "row insert", [this] { QTest::keyClick(Grid_, Qt::Key_Insert); },
        [this, rows] { return Grid_->RowCount() == rows + 1; });
    QTest::keyClick(Grid_, Qt::Key_Z, Qt::ControlModifier);
    if (Grid_->RowCount() != rows) throw std::runtime_error("Ctrl+Z did not take the row back");
    return sample;
  }

  TSample Undo() {
    const QString before = Grid_->CellText(1, Grid_->CurrentRow());
    TSample sample = Timed(
        "undo", [this] { QTest::keyClick(Grid_, Qt::Key_Z, Qt::ControlModifier); },
        [] { return true; });
    if (Grid_->CellText(1, Grid_->CurrentRow()) == before)
      throw std::runtime_error("Ctrl+Z did not take the edit back");
    return sample;
  }

  std::unique_ptr<TMainForm> Window_;
  TVariablesGrid* Grid_ = nullptr;
  std::unique_ptr<TAnswerWatch> Watch_;
};

template <typename Field>
double Median(const std::vector<TSample>& samples, Field field) {
  std::vector<double> values;
  values.reserve(samples.size());
  for (const TSample& sample : samples) values.push_back(sample.*field);
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Report(const TSamples& peer, const TSamples& measured, int peerRows, int rows) {
  std::printf("window answers, medians of %zu inputs each (%d rows against %d rows):\n",
              measured.begin()->second.size(), rows, peerRows);
  for (const char* action : {"Ctrl+End", "scroll bar", "cell edit", "undo", "row insert"}) {
    const std::vector<TSample>& small = peer.at(action);
    const std::vector<TSample>& large = measured.at(action);
    const double wall = Median(large, &TSample::Millis);
    const double cpu = Median(large, &TSample::CpuMillis);
    const double smallWall = Median(small, &TSample::Millis);
    const double smallCpu = Median(small, &TSample::CpuMillis);
    std::printf(
        "  %-10s answer %6.1f ms (peer %5.1f ms) %5.2fx, processor %6.1f ms (peer %5.1f ms) "
        "%5.2fx\n",
        action, wall, smallWall, wall / smallWall, cpu, smallCpu, cpu / smallCpu);
  }
}

int Run(int rounds, const QString& peerFile, const QString& file) {
  TSamples peer;
  TSamples measured;
  int peerRows = 0;
  int rows = 0;
  for (int round = 0; round < rounds; ++round) {
    // Alternate which file goes first, so neither always follows the other.
    for (const bool large : {round % 2 == 0, round % 2 != 0}) {
      TProbe probe(large ? file : peerFile);
      (large ? rows : peerRows) = probe.DataRows();
      probe.Measure(large ? measured : peer);
    }
  }
  Report(peer, measured, peerRows, rows);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  if (argc != 4 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: %s ROUNDS PEER_FILE FILE\n", argv[0]);
    return 2;
  }
  try {
    return Run(std::atoi(argv[1]), QString::fromLocal8Bit(argv[2]),
               QString::fromLocal8Bit(argv[3]));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "window_jump: %s\n", error.what());
    return 1;
  }
}
