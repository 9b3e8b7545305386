// The scrolling base of the check list and the variables table: a sunken frame
// around a viewport in the window colour, scroll bars that the view decides
// itself, mouse wheel notches, and mouse events that reach the area itself
// handled as if they had reached the viewport.
#pragma once

#include <QAbstractScrollArea>

class TScrollView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TScrollView(QWidget* parent = nullptr);

 protected:
  // Decides which bars are shown and their ranges; runs on resizing, on a font
  // or style change and whenever the view asks through UpdateScrollBars().
  virtual void DecideScrollBars() = 0;
  // Runs DecideScrollBars() unless it is already running (showing a bar
  // resizes the viewport, which would ask again).
  void UpdateScrollBars();
  // Shows or hides one bar and sets its range 0..maximum and its steps.
  void SetBar(Qt::Orientation orientation, bool shown, int maximum, int pageStep, int singleStep);
  // Whole wheel notches turned (positive away from the user); the rest of a
  // partly turned notch is kept for the next event.
  int TakeWheelNotches(const QWheelEvent* event);

  // Mouse events sent to the area itself (as test tools and accessibility
  // clients do, or over its frame) go to the viewport at that place.
  bool event(QEvent* event) override;
  // A mouse event of the viewport counts as taken, so that Qt does not pass it
  // up to the area, which would hand it to the viewport a second time.
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The focus frame of the current entry comes and goes with the focus.
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // The scroll bars' names for screen readers, in the interface language.
  void NameScrollBars();

  int WheelRemainder_ = 0;
  bool UpdatingBars_ = false;
};
