// The texts of Open's problems as a list model: a view asks for the rows it
// shows, and only those are made into QStrings, so that a file of millions of
// problem lines never has all of its texts held at once.
#pragma once

#include <QAbstractListModel>

#include "model/model.h"

class TProblemListModel : public QAbstractListModel {
 public:
  // The texts (UTF-8) must outlive the model and stay unchanged.
  explicit TProblemListModel(const TProblemTexts& texts, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The row's text for the display and tool tip roles; nothing else.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const TProblemTexts& Texts_;
};
