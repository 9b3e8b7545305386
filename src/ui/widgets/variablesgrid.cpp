#include "ui/widgets/variablesgrid.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <limits>
#include <utility>

#include "model/nameclash.h"
#include "ui/widgets/accessibility.h"
#include "ui/widgets/cp1251input.h"
#include "ui/widgets/render.h"

namespace {
// The keys' hint, in Russian (the source) and translated when shown.
const char* const kHint =
    QT_TRANSLATE_NOOP("TVariablesGrid", "INS - добавить переменную,\r\nDEL - удалить переменную.");
}  // namespace

const QString TVariablesGrid::HintText = QString::fromUtf8(kHint);

namespace {

constexpr int kRowPitch = TVariablesGrid::RowHeight + TVariablesGrid::GridLineWidth;
constexpr int kContentWidth =
    TVariablesGrid::ColumnWidth0 + TVariablesGrid::ColumnWidth1 + 2 * TVariablesGrid::GridLineWidth;

bool IsLineBreak(QChar c) {
  return c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029);
}

// A cell holds one line: every run of line breaks inside the text becomes one
// blank, runs at the start or the end are dropped.
QString JoinLines(const QString& input, int& pos) {
  QString out;
  out.reserve(input.size());
  int newPos = -1;
  bool pendingBlank = false;
  for (int i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    if (IsLineBreak(c)) {
      if (i == pos) newPos = static_cast<int>(out.size());
      pendingBlank = true;
      continue;
    }
    if (pendingBlank && !out.isEmpty()) out += u' ';
    pendingBlank = false;
    if (i == pos) newPos = static_cast<int>(out.size());
    out += c;
  }
  pos = newPos < 0 ? static_cast<int>(out.size()) : newPos;
  return out;
}

// Keeps line breaks out, then refuses what Windows-1251 cannot hold.
class TCellValidator : public TCp1251Validator {
 public:
  using TCp1251Validator::TCp1251Validator;
  State validate(QString& input, int& pos) const override {
    if (std::any_of(input.cbegin(), input.cend(), IsLineBreak)) input = JoinLines(input, pos);
    return TCp1251Validator::validate(input, pos);
  }
};

// A name cell whose name cannot be saved: a pale red ground, dark red text, a red frame
// on the current cell.
const QColor kClashGround(255, 216, 216);
const QColor kClashText(176, 0, 0);
const QColor kClashFrame(224, 0, 0);

// One line of text, left and top, clipped at the cell's edges.
void DrawCellText(QPainter& painter, const QRect& cell, const QString& text) {
  painter.save();
  painter.setClipRect(cell);
  painter.drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   text);
  painter.restore();
}

}  // namespace

// The one-line editor over the current cell. The table decides about the keys
// that end editing; nothing typed here travels on to the table.
class TCellEditor : public QLineEdit {
 public:
  explicit TCellEditor(QWidget* parent) : QLineEdit(parent) {}

  std::function<bool(QKeyEvent*)> OnKey;
  std::function<void(bool)> OnTab;
  std::function<void(Qt::FocusReason)> OnFocusLost;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
          !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        OnTab(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        return true;
      }
    }
    return QLineEdit::event(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (!OnKey(event)) QLineEdit::keyPressEvent(event);
    event->accept();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    OnFocusLost(event->reason());
  }
};

TVariablesGrid::TVariablesGrid(QWidget* parent) : TScrollView(parent) {
  viewport()->setMouseTracking(true);

  Editor_ = new TCellEditor(viewport());
  Editor_->setObjectName(QStringLiteral("CellEditor"));
  Editor_->setAccessibleName(tr("Текст ячейки"));
  Editor_->setFrame(false);
  Editor_->setMaxLength(std::numeric_limits<int>::max());
  Editor_->setValidator(new TCellValidator(Editor_));
  Editor_->hide();
  Editor_->OnKey = [this](QKeyEvent* e) { return EditorKey(e); };
  Editor_->OnTab = [this](bool next) { EditorTab(next); };
  Editor_->OnFocusLost = [this](Qt::FocusReason reason) { EditorFocusLost(reason); };
  connect(Editor_, &QLineEdit::textChanged, this, &TVariablesGrid::EditorTextChanged);

  Hint_ = new QLabel(this, Qt::ToolTip);
  Hint_->setObjectName(QStringLiteral("VariablesHint"));
  Hint_->setText(tr(kHint).remove(u'\r'));
  Hint_->setAutoFillBackground(true);
  Hint_->setFrameStyle(QFrame::Box | QFrame::Plain);
  Hint_->setMargin(2);
  QPalette hintPalette = Hint_->palette();
  hintPalette.setColor(QPalette::Window, QColor(255, 255, 0));
  hintPalette.setColor(QPalette::WindowText, QColor(0, 0, 0));
  Hint_->setPalette(hintPalette);
  Hint_->hide();

  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    TopRow_ = value + 1;
    PlaceEditor();
    viewport()->update();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    PlaceEditor();
    viewport()->update();
  });
}

QLineEdit* TVariablesGrid::Editor() const { return Editor_; }

void TVariablesGrid::Bind(std::vector<TVariableRow>* rows) {
  Rows_ = rows;
  Reset();
}

void TVariablesGrid::Reset() {
  CloseEditor();
  HideHint();
  if (Rows_ && Rows_->empty()) Rows_->push_back({});
  Row_ = 1;
  Col_ = 1;
  TopRow_ = 1;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  Remembered_ = CellText(Col_, Row_);
  FindClashes();
  // The table starts at its top-left corner, the names in view, whatever width
  // it has before it is first shown.
  UpdateScrollBars();
  viewport()->update();
}

void TVariablesGrid::Reload() {
  CloseEditor();
  HideHint();
  if (Rows_ && Rows_->empty()) Rows_->push_back({});
  Row_ = std::clamp(Row_, 1, RowCount() - 1);
  Remembered_ = CellText(Col_, Row_);
  FindClashes();
  // The table starts at its top-left corner, the names in view, whatever width
  // it has before it is first shown.
  UpdateScrollBars();
  viewport()->update();
}

int TVariablesGrid::RowCount() const { return 1 + (Rows_ ? static_cast<int>(Rows_->size()) : 0); }

void TVariablesGrid::FindClashes() {
  Clashing_.clear();
  if (!Rows_) return;
  for (const TNameClash& clash : ::NameClashes(*Rows_)) {
    SetClash(clash.Row, true);
    if (clash.Other != kProgramNameRow) SetClash(clash.Other, true);
  }
}

void TVariablesGrid::RecheckName(const std::string& name) {
  const std::vector<size_t> named = RowsNamedAs(*Rows_, name);
  const bool clash = named.size() > 1 || (!named.empty() && IsProgramNameKey(name));
  for (const size_t row : named) SetClash(row, clash);
}

void TVariablesGrid::SetClash(size_t modelRow, bool clash) {
  const auto at = std::lower_bound(Clashing_.begin(), Clashing_.end(), modelRow);
  const bool marked = at != Clashing_.end() && *at == modelRow;
  if (clash && !marked) Clashing_.insert(at, modelRow);
  if (!clash && marked) Clashing_.erase(at);
}

void TVariablesGrid::ShiftClashes(size_t from, int by) {
  for (size_t& row : Clashing_) {
    if (row >= from) row = by < 0 ? row - 1 : row + 1;
  }
}

bool TVariablesGrid::NameClashes(int row) const {
  return row >= 1 &&
         std::binary_search(Clashing_.begin(), Clashing_.end(), static_cast<size_t>(row - 1));
}

QString TVariablesGrid::NameClashHint(int row) const {
  if (!NameClashes(row)) return {};
  const size_t modelRow = static_cast<size_t>(row - 1);
  const std::string& name = (*Rows_)[modelRow].Name;
  TNameClash clash{modelRow, kProgramNameRow};
  if (!IsProgramNameKey(name)) {
    const std::vector<size_t> named = RowsNamedAs(*Rows_, name);
    if (named.size() < 2) return {};
    const size_t other = named.front() == modelRow ? named.back() : named.front();
    clash = TNameClash{std::max(modelRow, other), std::min(modelRow, other)};
  }
  return QString::fromStdString(NameClashText(*Rows_, clash));
}

void TVariablesGrid::ShowClashWhileTyping() {
  const QString hint = NameClashHint(Row_);
  if (!hint.isEmpty()) {
    QToolTip::showText(Editor_->mapToGlobal(QPoint(0, Editor_->height())), hint, Editor_);
    ClashTipShown_ = true;
  } else if (ClashTipShown_) {
    QToolTip::hideText();
    ClashTipShown_ = false;
  }
}

std::string& TVariablesGrid::Cell(int row, int column) {
  TVariableRow& r = (*Rows_)[static_cast<size_t>(row - 1)];
  return column == 0 ? r.Name : r.Value;
}

QString TVariablesGrid::CellText(int column, int row) const {
  if (row == 0) return column == 0 ? tr("Переменная") : tr("Значение");
  if (!Rows_ || row < 0 || row >= RowCount() || column < 0 || column > 1) return {};
  const TVariableRow& r = (*Rows_)[static_cast<size_t>(row - 1)];
  return QString::fromStdString(Cp1251ToUtf8(column == 0 ? r.Name : r.Value));
}

int TVariablesGrid::VisibleDataRows() const {
  return std::max(0, (viewport()->height() - kRowPitch) / kRowPitch);
}

QRect TVariablesGrid::CellRect(int row, int column) const {
  const int x = (column == 0 ? 0 : ColumnWidth0 + GridLineWidth) - horizontalScrollBar()->value();
  const int y = row == 0 ? 0 : kRowPitch + (row - TopRow_) * kRowPitch;
  return QRect(x, y, column == 0 ? ColumnWidth0 : ColumnWidth1, RowHeight);
}

bool TVariablesGrid::CellAt(const QPoint& pos, int& row, int& column) const {
  const int x = pos.x() + horizontalScrollBar()->value();
  if (pos.x() < 0 || pos.y() < 0 || x >= kContentWidth) return false;
  column = x < ColumnWidth0 + GridLineWidth ? 0 : 1;
  row = pos.y() < kRowPitch ? 0 : TopRow_ + (pos.y() - kRowPitch) / kRowPitch;
  return row < RowCount();
}

void TVariablesGrid::SetCurrentCell(int row, int column) {
  if (Editing_) EndEdit();
  MoveTo(row, column);
}

bool TVariablesGrid::MoveTo(int row, int column) {
  if (!Rows_) return false;
  row = std::clamp(row, 1, RowCount() - 1);
  column = std::clamp(column, 0, 1);
  if (row == Row_ && column == Col_) return false;
  Row_ = row;
  Col_ = column;
  Remembered_ = CellText(Col_, Row_);
  EnsureCurrentVisible();
  viewport()->update();
  AnnounceValue(this, Remembered_);
  return true;
}

void TVariablesGrid::EnsureCurrentVisible() {
  const int rows = std::max(1, VisibleDataRows());
  QScrollBar* vbar = verticalScrollBar();
  if (Row_ < TopRow_)
    vbar->setValue(Row_ - 1);
  else if (Row_ >= TopRow_ + rows)
    vbar->setValue(Row_ - rows);
  // Sideways the table moves only when the cell's start is out of view: a value
  // cell cut off at the right keeps the names in view.
  QScrollBar* hbar = horizontalScrollBar();
  const int left = Col_ == 0 ? 0 : ColumnWidth0 + GridLineWidth;
  const int right = left + (Col_ == 0 ? ColumnWidth0 : ColumnWidth1);
  const int width = viewport()->width();
  if (left < hbar->value())
    hbar->setValue(left);
  else if (left >= hbar->value() + width)
    hbar->setValue(std::min(left, right - width));
}

void TVariablesGrid::ScrollRows(int delta) {
  verticalScrollBar()->setValue(verticalScrollBar()->value() + delta);
}

// The bars are decided here rather than left to the scroll area, so that a
// bar never stays once the rows fit again.
void TVariablesGrid::DecideScrollBars() {
  const int frame = frameWidth();
  const int fullWidth = width() - 2 * frame;
  const int fullHeight = height() - 2 * frame;
  const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int dataRows = RowCount() - 1;
  auto fits = [&](int h) { return dataRows <= std::max(0, (h - kRowPitch) / kRowPitch); };
  bool needV = !fits(fullHeight);
  const bool needH = kContentWidth > fullWidth - (needV ? barExtent : 0);
  if (needH && !needV) needV = !fits(fullHeight - barExtent);
  const int viewHeight = fullHeight - (needH ? barExtent : 0);
  const int viewWidth = fullWidth - (needV ? barExtent : 0);
  const int visibleRows = std::max(1, (viewHeight - kRowPitch) / kRowPitch);
  SetBar(Qt::Vertical, needV, dataRows - visibleRows, visibleRows, 1);
  SetBar(Qt::Horizontal, needH, kContentWidth - viewWidth, std::max(1, viewWidth), 8);
  TopRow_ = verticalScrollBar()->value() + 1;
  PlaceEditor();
}

void TVariablesGrid::changeEvent(QEvent* event) {
  TScrollView::changeEvent(event);
  if (event->type() == QEvent::FontChange) Editor_->setFont(font());
  // The hint shows its keys in the interface language when it next shows.
  if (event->type() == QEvent::LanguageChange) {
    Editor_->setAccessibleName(tr("Текст ячейки"));
    HideHint();
    Hint_->setText(tr(kHint).remove(u'\r'));
  }
}

// Switching pages hides the table and ends editing; minimising the window does not.
void TVariablesGrid::hideEvent(QHideEvent* event) {
  QAbstractScrollArea::hideEvent(event);
  HideHint();
  if (!event->spontaneous()) EndEdit();
}

void TVariablesGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Active, QPalette::Base));
  PaintDataRows(painter);
  PaintHeader(painter);
}

// The data cells below the header, with the grid lines between them.
void TVariablesGrid::PaintDataRows(QPainter& painter) const {
  const QColor dataLine = palette().color(QPalette::Active, QPalette::Button);
  const int hoff = horizontalScrollBar()->value();
  const int lastRow = std::min(RowCount() - 1, TopRow_ + VisibleDataRows() + 1);
  painter.save();
  painter.setClipRect(QRect(0, kRowPitch, viewport()->width(), viewport()->height()));
  painter.setFont(font());
  for (int row = TopRow_; row <= lastRow; ++row) {
    PaintDataCell(painter, row, 0);
    PaintDataCell(painter, row, 1);
    const int lineY = CellRect(row, 0).bottom() + 1;
    painter.setPen(dataLine);
    painter.drawLine(-hoff, lineY, kContentWidth - 1 - hoff, lineY);
  }
  painter.setPen(dataLine);
  const int dataBottom = CellRect(lastRow, 0).bottom() + 1;
  painter.drawLine(ColumnWidth0 - hoff, kRowPitch, ColumnWidth0 - hoff, dataBottom);
  painter.drawLine(kContentWidth - 1 - hoff, kRowPitch, kContentWidth - 1 - hoff, dataBottom);
  painter.restore();
}

// The current cell in the highlight colours, framed while the table has the focus.
void TVariablesGrid::PaintDataCell(QPainter& painter, int row, int column) const {
  const QPalette& pal = palette();
  const QRect cell = CellRect(row, column);
  const bool current = row == Row_ && column == Col_;
  const bool clash = column == 0 && NameClashes(row);
  painter.fillRect(cell,
                   current ? pal.color(QPalette::Active, QPalette::Highlight)
                           : (clash ? kClashGround : pal.color(QPalette::Active, QPalette::Base)));
  painter.setPen(current ? pal.color(QPalette::Active, QPalette::HighlightedText)
                         : (clash ? kClashText : pal.color(QPalette::Active, QPalette::Text)));
  DrawCellText(painter, cell, CellText(column, row));
  if (current && hasFocus()) {
    painter.setPen(QPen(pal.color(QPalette::Active, QPalette::HighlightedText), 1, Qt::DotLine));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
  }
  if (current && clash) {
    painter.setPen(QPen(kClashFrame, 2));
    painter.drawRect(cell.adjusted(2, 2, -2, -2));
  }
}

// The fixed header row, raised, with black lines around it.
void TVariablesGrid::PaintHeader(QPainter& painter) const {
  const QPalette& pal = palette();
  const int hoff = horizontalScrollBar()->value();
  QFont headerFont = font();
  headerFont.setBold(true);
  painter.setFont(headerFont);
  for (int column = 0; column < 2; ++column) {
    const QRect cell = CellRect(0, column);
    painter.fillRect(cell, pal.color(QPalette::Active, QPalette::Button));
    painter.setPen(pal.color(QPalette::Active, QPalette::Light));
    painter.drawLine(cell.topLeft(), cell.topRight());
    painter.drawLine(cell.topLeft(), cell.bottomLeft());
    painter.setPen(pal.color(QPalette::Active, QPalette::Dark));
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    painter.drawLine(cell.topRight(), cell.bottomRight());
    painter.setPen(pal.color(QPalette::Active, QPalette::WindowText));
    DrawCellText(painter, cell, CellText(column, 0));
  }
  painter.setPen(QColor(0, 0, 0));
  painter.drawLine(-hoff, RowHeight, kContentWidth - 1 - hoff, RowHeight);
  painter.drawLine(ColumnWidth0 - hoff, 0, ColumnWidth0 - hoff, RowHeight);
  painter.drawLine(kContentWidth - 1 - hoff, 0, kContentWidth - 1 - hoff, RowHeight);
}

void TVariablesGrid::PlaceEditor() {
  if (!Editing_) return;
  Editor_->setGeometry(CellRect(Row_, Col_));
}

void TVariablesGrid::StartEdit(TEditStart how) {
  if (!Rows_ || Editing_) return;
  HideHint();
  EnsureCurrentVisible();
  Remembered_ = CellText(Col_, Row_);
  {
    const QSignalBlocker block(Editor_);
    Editor_->setText(Remembered_);
  }
  Editing_ = true;
  // While editing, a click on the table must not take the focus from the editor.
  setFocusPolicy(Qt::TabFocus);
  PlaceEditor();
  Editor_->show();
  Editor_->setFocus(Qt::OtherFocusReason);
  if (how == TEditStart::SelectAll)
    Editor_->selectAll();
  else
    Editor_->end(false);
  viewport()->update();
}

void TVariablesGrid::EndEdit() {
  if (!Editing_) return;
  const bool changed = Editor_->text() != Remembered_;
  CloseEditor();
  if (changed) emit cellEdited(Row_, Col_);
}

void TVariablesGrid::CloseEditor() {
  if (!Editing_) return;
  Editing_ = false;
  if (ClashTipShown_) {
    QToolTip::hideText();
    ClashTipShown_ = false;
  }
  setFocusPolicy(Qt::StrongFocus);
  // The table takes the focus first, so that hiding the editor does not pass
  // the focus on to the next control.
  if (Editor_->hasFocus() && isVisible()) setFocus(Qt::OtherFocusReason);
  Editor_->hide();
  viewport()->update();
}

void TVariablesGrid::EditorTextChanged(const QString& text) {
  if (!Editing_ || !Rows_) return;
  std::string before = std::exchange(Cell(Row_, Col_), Utf8ToCp1251(text.toStdString()));
  if (Col_ == 0) {
    SetClash(static_cast<size_t>(Row_ - 1), false);  // an emptied name is in no group
    RecheckName(before);
    RecheckName(Cell(Row_, Col_));
    ShowClashWhileTyping();
    viewport()->update();
  }
  emit rowChanged(Row_);
}

void TVariablesGrid::EditorTab(bool next) {
  EndEdit();
  setFocus(Qt::OtherFocusReason);
  focusNextPrevChild(next);
}

void TVariablesGrid::EditorFocusLost(Qt::FocusReason reason) {
  if (!Editing_) return;
  if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
  // A press on the table itself decides in mousePressEvent.
  if (QApplication::focusWidget() == this) return;
  EndEdit();
}

int TVariablesGrid::VerticalTarget(const QKeyEvent* event) const {
  const int page = std::max(1, VisibleDataRows() - 1);
  switch (event->key()) {
    case Qt::Key_Up: return Row_ - 1;
    case Qt::Key_Down: return Row_ + 1;
    case Qt::Key_PageUp: return Row_ - page;
    case Qt::Key_PageDown: return Row_ + page;
    default: return -1;
  }
}

// Keys while editing; true when the table handled the key.
bool TVariablesGrid::EditorKey(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: EndEdit(); return true;
    case Qt::Key_Escape:
      // The earlier text comes back and editing ends: no edit to record.
      Editor_->setText(Remembered_);
      CloseEditor();
      return true;
    case Qt::Key_Insert:
      return event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      if (event->modifiers() & Qt::ControlModifier) return true;
      const int target = std::clamp(VerticalTarget(event), 1, RowCount() - 1);
      if (target == Row_) return true;  // cannot move: editing goes on
      EndEdit();
      keyPressEvent(event);
      return true;
    }
    default: return false;
  }
}

void TVariablesGrid::InsertRow() {
  Rows_->insert(Rows_->begin() + (Row_ - 1), TVariableRow{});
  ShiftClashes(static_cast<size_t>(Row_ - 1), 1);
  UpdateScrollBars();
  viewport()->update();
  emit rowInserted(Row_);
}

void TVariablesGrid::DeleteRow() {
  const int deleted = Row_;
  const size_t modelRow = static_cast<size_t>(Row_ - 1);
  const std::string name = (*Rows_)[modelRow].Name;
  if (Rows_->size() > 1) {
    Rows_->erase(Rows_->begin() + (Row_ - 1));
    Row_ = std::min(Row_, RowCount() - 1);
    UpdateScrollBars();
    SetClash(modelRow, false);
    ShiftClashes(modelRow + 1, -1);
  } else if (Rows_->front() != TVariableRow{}) {
    Rows_->front() = TVariableRow{};
    SetClash(modelRow, false);
  } else {
    return;  // the only row is empty already
  }
  RecheckName(name);
  viewport()->update();
  emit rowDeleted(deleted);
}

void TVariablesGrid::keyPressEvent(QKeyEvent* event) {
  HideHint();
  if (Editing_) {
    // A key that reaches the table while a cell is edited is the editor's.
    SendToEditor(event);
  } else if (!Rows_ || !BrowsingKey(event)) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  event->accept();
}

void TVariablesGrid::SendToEditor(const QKeyEvent* event) {
  QKeyEvent copy(QEvent::KeyPress, event->key(), event->modifiers(), event->text(),
                 event->isAutoRepeat(), static_cast<ushort>(event->count()));
  QCoreApplication::sendEvent(Editor_, &copy);
}

bool TVariablesGrid::BrowsingKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Insert:
      if (!ctrl && !shift) InsertRow();
      return true;
    case Qt::Key_Delete: DeleteRow(); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: VerticalKey(event, ctrl); return true;
    case Qt::Key_Left: MoveTo(Row_, 0); return true;
    case Qt::Key_Right: MoveTo(Row_, 1); return true;
    case Qt::Key_Home: MoveTo(ctrl ? 1 : Row_, 0); return true;
    case Qt::Key_End: MoveTo(ctrl ? RowCount() - 1 : Row_, 1); return true;
    case Qt::Key_F2: StartEdit(TEditStart::CaretAtEnd); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: StartEdit(TEditStart::SelectAll); return true;
    case Qt::Key_Escape: return true;  // outside editing there is nothing to put back
    default: return TypedKey(event);
  }
}

// Up and Down move by a row, Page Up and Page Down by a page with the view;
// with Ctrl the view scrolls by a row, or the current cell goes to the top or
// bottom row in view.
void TVariablesGrid::VerticalKey(const QKeyEvent* event, bool ctrl) {
  const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
  const int last = RowCount() - 1;
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    if (ctrl)
      ScrollRows(up ? -1 : 1);
    else
      MoveTo(VerticalTarget(event), Col_);
  } else if (ctrl) {
    const int bottom = std::min(last, TopRow_ + std::max(1, VisibleDataRows()) - 1);
    MoveTo(up ? TopRow_ : bottom, Col_);
  } else {
    const int target = std::clamp(VerticalTarget(event), 1, last);
    ScrollRows(target - Row_);
    MoveTo(target, Col_);
  }
}

// A printable character or Backspace starts editing and replaces the whole
// text of the cell; false for any other key.
bool TVariablesGrid::TypedKey(QKeyEvent* event) {
  const QString text = event->text();
  const bool plain =
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (!plain || text.isEmpty() || !(text.at(0).isPrint() || event->key() == Qt::Key_Backspace))
    return false;
  StartEdit(TEditStart::SelectAll);
  SendToEditor(event);
  return true;
}

void TVariablesGrid::mousePressEvent(QMouseEvent* event) {
  HideHint();
  event->accept();
  int row = -1;
  int col = -1;
  const bool onCell = CellAt(event->position().toPoint(), row, col);
  if (event->button() != Qt::LeftButton || !Rows_ || !onCell || row == 0) {
    // Header and empty area: editing, if any, goes on.
    if (Editing_) Editor_->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (Editing_) {
    EndEdit();
    MoveTo(row, col);
    return;
  }
  if (row == Row_ && col == Col_)
    StartEdit(TEditStart::SelectAll);
  else
    MoveTo(row, col);
}

// The second press of a double-click only makes the cell current.
void TVariablesGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  int row = -1;
  int col = -1;
  if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), row, col) ||
      row == 0) {
    if (Editing_) Editor_->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (Editing_) EndEdit();
  MoveTo(row, col);
}

void TVariablesGrid::mouseMoveEvent(QMouseEvent* event) {
  if (Hint_->isVisible()) {
    int row = -1;
    int col = -1;
    if (!CellAt(event->position().toPoint(), row, col) || row != HintRow_ || col != HintCol_)
      HideHint();
  }
  QAbstractScrollArea::mouseMoveEvent(event);
}

void TVariablesGrid::wheelEvent(QWheelEvent* event) {
  HideHint();
  const int steps = TakeWheelNotches(event);
  if (steps != 0 && Rows_) {
    const int target = std::clamp(Row_ - steps, 1, RowCount() - 1);
    if (target != Row_) {
      EndEdit();
      MoveTo(target, Col_);
    }
  }
  event->accept();
}

bool TVariablesGrid::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip: ShowHint(static_cast<QHelpEvent*>(event)->pos()); return true;
    case QEvent::Leave: HideHint(); break;
    default: break;
  }
  return TScrollView::viewportEvent(event);
}

void TVariablesGrid::ShowHint(const QPoint& pos) {
  int row = -1;
  int col = -1;
  QPoint topLeft;
  if (CellAt(pos, row, col)) {
    const QRect cell = CellRect(row, col);
    topLeft = QPoint(cell.left(), cell.top() + cell.height() + 6);
  } else {
    row = col = -1;
    topLeft = pos + QPoint(0, 20);
  }
  HintRow_ = row;
  HintCol_ = col;
  // Over a marked name, the reason for the mark instead of the keys.
  const QString clash = col == 0 ? NameClashHint(row) : QString();
  Hint_->setText(clash.isEmpty() ? tr(kHint).remove(u'\r') : clash);
  Hint_->setWordWrap(!clash.isEmpty());
  Hint_->setMaximumWidth(clash.isEmpty() ? QWIDGETSIZE_MAX : ColumnWidth0 + ColumnWidth1);
  Hint_->adjustSize();
  Hint_->move(viewport()->mapToGlobal(topLeft));
  Hint_->show();
}

void TVariablesGrid::HideHint() {
  if (Hint_ && Hint_->isVisible()) Hint_->hide();
  HintRow_ = HintCol_ = -1;
}
