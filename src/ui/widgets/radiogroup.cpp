#include "ui/widgets/radiogroup.h"

#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent) : TGroupFrame(parent) {}

void TRadioGroup::SetItems(const QStringList& items) {
  if (items.size() == Count() && !items.isEmpty()) {
    for (int i = 0; i < Count(); ++i) Buttons_[i]->setText(items[i]);
    ArrangeButtons();
    return;
  }
  for (QRadioButton* button : Buttons_) delete button;
  Buttons_.clear();
  ItemIndex_ = -1;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    button->setObjectName(objectName() + QString::number(i));
    // An item becomes the chosen one however it gets checked: a click, the arrow
    // keys, or a program that checks it.
    connect(button, &QRadioButton::toggled, this, [this, i](bool checked) {
      if (!checked) return;
      ItemIndex_ = i;
      if (!Updating_) emit clicked();
    });
    Buttons_.push_back(button);
    if (isVisible()) button->show();
  }
  ArrangeButtons();
}

QStringList TRadioGroup::Items() const {
  QStringList items;
  for (const QRadioButton* button : Buttons_) items << button->text();
  return items;
}

void TRadioGroup::SetColumns(int columns) {
  Columns_ = columns < 1 ? 1 : columns;
  ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  Updating_ = true;
  for (int i = 0; i < Count(); ++i) {
    Buttons_[i]->setAutoExclusive(false);
    Buttons_[i]->setChecked(i == index);
    Buttons_[i]->setAutoExclusive(true);
  }
  Updating_ = false;
  ItemIndex_ = index;
}

QRadioButton* TRadioGroup::Button(int index) const {
  return index >= 0 && index < Count() ? Buttons_[index] : nullptr;
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  TGroupFrame::resizeEvent(event);
  ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event) {
  TGroupFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange) ArrangeButtons();
}

// The items fill the group below its caption: columns of equal width from 8
// pixels in, rows of equal height, any spare pixels split above and below.
void TRadioGroup::ArrangeButtons() {
  if (Buttons_.empty()) return;
  const int textHeight = QFontMetrics(font()).height();
  const int perColumn = (Count() + Columns_ - 1) / Columns_;
  const int buttonWidth = (width() - 10) / Columns_;
  const int free = height() - textHeight - 5;
  const int buttonHeight = free / perColumn;
  const int topMargin = textHeight + 1 + (free % perColumn) / 2;
  for (int i = 0; i < Count(); ++i)
    Buttons_[i]->setGeometry((i / perColumn) * buttonWidth + 8,
                             (i % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight);
}
