// A group box drawn in the classic way: an etched frame starting half a text
// line below the top, with the caption on the frame line, 8 pixels in.
#pragma once

#include <QGroupBox>

class TGroupFrame : public QGroupBox {
  Q_OBJECT
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
