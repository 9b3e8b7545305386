#include "ui/widgets/checklistbox.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "ui/widgets/accessibility.h"
#include "ui/widgets/render.h"

namespace {

// The host's highlight is shown whether or not the list holds the focus.
QColor HighlightColor(const QWidget& w) {
  return w.palette().color(QPalette::Active, QPalette::Highlight);
}
QColor HighlightTextColor(const QWidget& w) {
  return w.palette().color(QPalette::Active, QPalette::HighlightedText);
}

void DrawCheckBox(QPainter& painter, const QRect& box, bool ticked, const QWidget& w) {
  painter.fillRect(box, w.palette().color(QPalette::Active, QPalette::Base));
  painter.setPen(ToQColor(clBtnShadow));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  if (!ticked) return;
  painter.setPen(w.palette().color(QPalette::Active, QPalette::Text));
  const int x = box.left();
  const int y = box.top();
  for (int k = 0; k < 3; ++k) {
    painter.drawLine(x + 3, y + 5 + k, x + 5, y + 7 + k);
    painter.drawLine(x + 5, y + 7 + k, x + 9, y + 3 + k);
  }
}

void DrawFocusFrame(QPainter& painter, const QRect& rect, const QColor& color) {
  QPen pen(color, 1, Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

}  // namespace

QString EntryText(const TCheckList& list, int index) {
  QString text = QString::fromStdString(Cp1251ToUtf8(list.Name(index)));
  if (list.IsUnknown(index)) text += TCheckListBox::tr(" (нет в каталоге)");
  return text;
}

TCheckListBox::TCheckListBox(QWidget* parent) : TScrollView(parent) {
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
          qOverload<>(&QWidget::update));
  connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
          qOverload<>(&QWidget::update));
}

void TCheckListBox::Bind(TCheckList* list) {
  List_ = list;
  Reload();
}

void TCheckListBox::SetColumns(int columns) {
  Columns_ = std::max(1, columns);
  Reload();
}

void TCheckListBox::Reload() {
  FirstPressIndex_ = -1;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  UpdateScrollBars();
  if (List_ && List_->Selected() >= 0) EnsureVisible(List_->Selected());
  viewport()->update();
}

int TCheckListBox::Count() const { return List_ ? List_->Count() : 0; }

// An entry is as high as the text "Wg": 13 pixels in the window's default face.
// The faces that stand in for it measure a pixel less; the layout stays.
int TCheckListBox::ItemHeight() const { return std::max(13, fontMetrics().height()); }

int TCheckListBox::ColumnWidth() const {
  if (Columns_ > 1) return std::max(1, (width() + Columns_ - 3) / Columns_);
  return viewport()->width();
}

int TCheckListBox::RowsPerColumn() const {
  return std::max(1, viewport()->height() / ItemHeight());
}

int TCheckListBox::VisibleColumns() const {
  // A column counts as shown when at least half of it lies in view.
  const int w = ColumnWidth();
  return std::max(1, (viewport()->width() + w / 2) / w);
}

int TCheckListBox::ScrollPosition() const {
  return Columns_ > 1 ? horizontalScrollBar()->value() : verticalScrollBar()->value();
}

QRect TCheckListBox::ItemRect(int index) const {
  const int h = ItemHeight();
  if (Columns_ > 1) {
    const int rows = RowsPerColumn();
    const int column = index / rows - ScrollPosition();
    return QRect(column * ColumnWidth(), (index % rows) * h, ColumnWidth(), h);
  }
  return QRect(0, (index - ScrollPosition()) * h, ColumnWidth(), h);
}

int TCheckListBox::IndexAt(const QPoint& pos) const {
  if (pos.x() < 0 || pos.y() < 0) return -1;
  int index;
  if (Columns_ > 1) {
    const int rows = RowsPerColumn();
    const int row = pos.y() / ItemHeight();
    if (row >= rows) return -1;
    index = (ScrollPosition() + pos.x() / ColumnWidth()) * rows + row;
  } else {
    if (pos.x() >= viewport()->width()) return -1;
    index = ScrollPosition() + pos.y() / ItemHeight();
  }
  return index < Count() ? index : -1;
}

void TCheckListBox::EnsureVisible(int index) {
  if (index < 0 || index >= Count()) return;
  if (Columns_ > 1) {
    QScrollBar* bar = horizontalScrollBar();
    const int column = index / RowsPerColumn();
    if (column < bar->value())
      bar->setValue(column);
    else if (column >= bar->value() + VisibleColumns())
      bar->setValue(column - VisibleColumns() + 1);
  } else {
    QScrollBar* bar = verticalScrollBar();
    const int rows = std::max(1, viewport()->height() / ItemHeight());
    if (index < bar->value())
      bar->setValue(index);
    else if (index >= bar->value() + rows)
      bar->setValue(index - rows + 1);
  }
}

// The bars are decided here rather than left to the scroll area, so that a
// bar never stays once the entries fit again.
void TCheckListBox::DecideScrollBars() {
  const int frame = frameWidth();
  const int fullHeight = height() - 2 * frame;
  const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int h = ItemHeight();
  const int n = Count();
  if (Columns_ > 1) {
    const int w = ColumnWidth();
    const int visible = std::max(1, (width() - 2 * frame + w / 2) / w);
    const int rowsWithout = std::max(1, fullHeight / h);
    const bool need = (n + rowsWithout - 1) / rowsWithout > visible;
    const int rows = std::max(1, (fullHeight - (need ? barExtent : 0)) / h);
    const int columns = (n + rows - 1) / rows;
    SetBar(Qt::Horizontal, need, columns - visible, visible, 1);
    SetBar(Qt::Vertical, false, 0, 1, 1);
  } else {
    const int rows = std::max(1, fullHeight / h);
    SetBar(Qt::Vertical, n > rows, n - rows, rows, 1);
    SetBar(Qt::Horizontal, false, 0, 1, 1);
  }
}

void TCheckListBox::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Active, QPalette::Base));
  if (!List_) return;
  const int n = Count();
  const int selected = List_->Selected();
  const QRect area = viewport()->rect();
  for (int i = 0; i < n; ++i) {
    const QRect item = ItemRect(i);
    if (!item.intersects(area)) continue;
    painter.save();
    painter.setClipRect(item);
    const QRect box(item.left() + 1, item.top() + (item.height() - CheckBoxSize) / 2, CheckBoxSize,
                    CheckBoxSize);
    DrawCheckBox(painter, box, List_->IsTicked(i), *this);
    const QRect textArea(item.left() + CheckStripWidth, item.top(), item.width() - CheckStripWidth,
                         item.height());
    QColor textColor = palette().color(QPalette::Active, QPalette::Text);
    if (i == selected) {
      painter.fillRect(textArea, HighlightColor(*this));
      textColor = HighlightTextColor(*this);
    }
    const int numberWidth =
        DrawPosition(painter, i, textArea, i == selected ? textColor : ToQColor(clBtnShadow));
    painter.setPen(textColor);
    // An entry for a code that the catalogue does not know is also set in italics.
    QFont entryFont = font();
    entryFont.setItalic(List_->IsUnknown(i));
    painter.setFont(entryFont);
    // Drawn without mnemonic processing: an ampersand is shown as it is.
    painter.drawText(textArea.adjusted(2, 0, -numberWidth, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, EntryText(*List_, i));
    if (i == selected && hasFocus()) DrawFocusFrame(painter, textArea, HighlightTextColor(*this));
    painter.restore();
  }
}

int TCheckListBox::DrawPosition(QPainter& painter, int index, const QRect& textArea,
                                const QColor& color) {
  const int position = List_->Position(index);
  if (position < 0) return 0;
  const QString number = QString::number(position + 1);
  painter.setFont(font());
  painter.setPen(color);
  const int margin = 4;
  const int width = painter.fontMetrics().horizontalAdvance(number) + 2 * margin;
  painter.drawText(textArea.adjusted(0, 0, -margin, 0),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, number);
  return width;
}

void TCheckListBox::Toggle(int index) {
  if (!List_ || index < 0 || index >= Count()) return;
  const int before = List_->Position(index);
  List_->SetTick(index, !List_->IsTicked(index));
  viewport()->update();
  AnnounceEntryChecked(this, index);
  emit tickToggled(index, List_->IsTicked(index) ? List_->Position(index) : before);
}

void TCheckListBox::ToggleEntry(int index) {
  if (!List_ || index < 0 || index >= Count()) return;
  SelectAndShow(index);
  Toggle(index);
}

bool TCheckListBox::MoveSelected(int delta) {
  if (!List_) return false;
  const int index = List_->Selected();
  const int from = List_->Position(index);
  const int last = static_cast<int>(List_->Order().size()) - 1;
  const int to = std::clamp(from + delta, 0, std::max(0, last));
  if (from < 0 || to == from) return false;
  List_->Place(index, to);
  EnsureVisible(index);
  viewport()->update();
  for (const int moved : List_->Order()) AnnounceEntryDescription(this, moved);
  emit orderMoved(index, from, to);
  return true;
}

void TCheckListBox::SelectAndShow(int index) {
  if (!List_ || Count() == 0) return;
  index = std::clamp(index, 0, Count() - 1);
  const bool changed = List_->Selected() != index;
  List_->Select(index);
  EnsureVisible(index);
  viewport()->update();
  if (changed) AnnounceEntrySelected(this, index);
}

void TCheckListBox::LangsDblClick() {
  if (!List_ || Count() == 0 || List_->Selected() < 0) return;
  Toggle(List_->Selected());
}

void TCheckListBox::PressAt(const QPoint& pos) {
  const int index = IndexAt(pos);
  if (index < 0) return;
  SelectAndShow(index);
  const QRect item = ItemRect(index);
  if (pos.x() >= item.left() && pos.x() < item.left() + CheckStripWidth) Toggle(index);
}

void TCheckListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint pos = event->position().toPoint();
    FirstPressIndex_ = IndexAt(pos);
    PressAt(pos);
  }
  event->accept();
}

// The window system delivers a double-click as a press, then the double-click in
// place of the second press: that second press acts as a press, and the
// double-click inverts the selected entry once more, so the entry ends up
// inverted exactly once. A double-click that arrives without its first press on
// the same entry (as synthetic events can) selects the entry and inverts it once.
void TCheckListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint pos = event->position().toPoint();
    const int index = IndexAt(pos);
    if (index >= 0 && index == FirstPressIndex_)
      PressAt(pos);
    else if (index >= 0)
      SelectAndShow(index);
    FirstPressIndex_ = -1;
    LangsDblClick();
  }
  event->accept();
}

void TCheckListBox::keyPressEvent(QKeyEvent* event) {
  FirstPressIndex_ = -1;
  const int n = Count();
  const int current = List_ ? List_->Selected() : -1;
  const bool multi = Columns_ > 1;
  const int rows = RowsPerColumn();
  const int page =
      multi ? rows * VisibleColumns() : std::max(1, viewport()->height() / ItemHeight() - 1);
  const bool up = event->key() == Qt::Key_Up;
  if ((event->modifiers() & Qt::ControlModifier) && (up || event->key() == Qt::Key_Down)) {
    MoveSelected(up ? -1 : 1);
    event->accept();
    return;
  }
  int target = -2;  // -2: not a movement key
  switch (event->key()) {
    case Qt::Key_Space:
      if (current >= 0) Toggle(current);
      event->accept();
      return;
    case Qt::Key_Up: target = current - 1; break;
    case Qt::Key_Down: target = current + 1; break;
    case Qt::Key_Left:
      if (!multi)
        target = current - 1;
      else
        target = current - rows >= 0 ? current - rows : current;
      break;
    case Qt::Key_Right:
      if (!multi)
        target = current + 1;
      else
        target = current / rows < (n - 1) / rows ? std::min(current + rows, n - 1) : current;
      break;
    case Qt::Key_PageUp: target = current - page; break;
    case Qt::Key_PageDown: target = current + page; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = n - 1; break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
  // Without a selection any movement key selects the first entry (End the last).
  if (current < 0 && event->key() != Qt::Key_End) target = 0;
  if (n > 0) SelectAndShow(target);
  event->accept();
}

// The menu of the entry under the mouse, which it selects: moves in the order.
void TCheckListBox::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  const int index = IndexAt(event->pos());
  if (!List_ || index < 0) return;
  SelectAndShow(index);
  const int position = List_->Position(index);
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("OrderMenu"));
  QAction* up = menu.addAction(tr("Выше"));
  QAction* down = menu.addAction(tr("Ниже"));
  up->setObjectName(QStringLiteral("MoveUpAction"));
  down->setObjectName(QStringLiteral("MoveDownAction"));
  up->setEnabled(position > 0);
  down->setEnabled(position >= 0 && position + 1 < static_cast<int>(List_->Order().size()));
  const QAction* chosen = menu.exec(event->globalPos());
  if (chosen == up) MoveSelected(-1);
  if (chosen == down) MoveSelected(1);
}

void TCheckListBox::wheelEvent(QWheelEvent* event) {
  const int notches = TakeWheelNotches(event);
  if (notches != 0) {
    QScrollBar* bar = Columns_ > 1 ? horizontalScrollBar() : verticalScrollBar();
    const int lines = Columns_ > 1 ? 1 : 3;
    bar->setValue(bar->value() - notches * lines);
  }
  event->accept();
}
