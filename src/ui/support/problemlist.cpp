#include "ui/support/problemlist.h"

#include <algorithm>
#include <climits>

TProblemListModel::TProblemListModel(const TProblemTexts& texts, QObject* parent)
    : QAbstractListModel(parent), Texts_(texts) {}

int TProblemListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(std::min<size_t>(Texts_.size(), INT_MAX));
}

QVariant TProblemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount() ||
      (role != Qt::DisplayRole && role != Qt::ToolTipRole))
    return {};
  return QString::fromStdString(Texts_.At(static_cast<size_t>(index.row())));
}
