// A captioned group of radio buttons laid out in columns, with one chosen index.
#pragma once

#include <QStringList>
#include <vector>

#include "ui/widgets/groupframe.h"

class QRadioButton;

class TRadioGroup : public TGroupFrame {
  Q_OBJECT
  // What a stored form sets, in this order: the items, their columns, the chosen one.
  Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
  Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  // Replaces the buttons: one per item, named after the group's object name and
  // the item's index; none is chosen. As many items as buttons only rename the
  // buttons (the texts of another language), keeping the choice and the focus.
  void SetItems(const QStringList& items);
  QStringList Items() const;
  // Columns below 1 count as 1.
  void SetColumns(int columns);
  int Columns() const { return Columns_; }

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
