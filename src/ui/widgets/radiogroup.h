// A captioned group of radio buttons laid out in columns, with one chosen index.
#pragma once

#include <QStringList>
#include <vector>

#include "ui/widgets/groupframe.h"

class QRadioButton;

class TRadioGroup : public TGroupFrame {
  Q_OBJECT
 public:
  TRadioGroup(QWidget* parent, const QString& name, const QString& caption,
              const QStringList& items, int columns, const QRect& geometry);

  int ItemIndex() const { return ItemIndex_; }
  // Chooses an item without emitting clicked(); -1 chooses none.
  void SetItemIndex(int index);
  QRadioButton* Button(int index) const;
  int Count() const { return static_cast<int>(Buttons_.size()); }

 signals:
  // Another item was chosen: by the user, or by a program checking its button.
  void clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ArrangeButtons();

  std::vector<QRadioButton*> Buttons_;
  int Columns_ = 1;
  int ItemIndex_ = -1;
  bool Updating_ = false;
};
