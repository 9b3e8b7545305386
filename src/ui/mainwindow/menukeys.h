// The menu bar by keyboard, as Windows programs have it: F10, or Alt pressed and
// released alone, opens the first menu of the bar; the arrow keys then go from
// menu to menu and Escape closes it.
#pragma once

#include <QObject>

class QMenuBar;
class QWidget;

class TMenuBarKeys : public QObject {
  Q_OBJECT
 public:
  // Watches the keys typed in `window` (any of its widgets) for `menuBar`, which
  // lies in it; owned by the window.
  TMenuBarKeys(QWidget& window, QMenuBar& menuBar);

  // Opens the first menu of the bar, its first item highlighted.
  void OpenFirstMenu();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& Window_;
  QMenuBar& MenuBar_;
  // Alt is down and nothing else was typed or clicked since it went down.
  bool AltAlone_ = false;
};
