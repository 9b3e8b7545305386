// One table-driven check of a window's layout: each row names a widget by its
// object name and states its class, its parent, its geometry, its text and any
// further Qt properties, as the window's stored form lays them out.
#pragma once

#include <gtest/gtest.h>

#include <QDebug>
#include <QGroupBox>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <utility>
#include <vector>

struct TLayoutRow {
  const char* Name;
  const char* Class;           // the widget's own class, as its meta-object names it
  const char* Parent;          // the object name of the parent widget
  QRect Geometry;              // a null rectangle: the size follows the content, see Properties
  const char* Text = nullptr;  // UTF-8; "title" of a group box, else "text"; null: none
  std::vector<std::pair<const char*, QVariant>> Properties = {};
};

inline QString ShowValue(const QVariant& value) {
  QString text;
  QDebug(&text) << value;
  return text;
}

inline void ExpectLayout(QWidget* window, const std::vector<TLayoutRow>& rows) {
  for (const TLayoutRow& row : rows) {
    SCOPED_TRACE(row.Name);
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(row.Name));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), row.Class);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(row.Parent));
    if (!row.Geometry.isNull()) {
      EXPECT_EQ(widget->geometry(), row.Geometry);
    }
    if (row.Text != nullptr) {
      const char* property = qobject_cast<QGroupBox*>(widget) ? "title" : "text";
      EXPECT_EQ(widget->property(property).toString(), QString::fromUtf8(row.Text));
    }
    for (const auto& [name, expected] : row.Properties) {
      const QVariant actual = widget->property(name);
      EXPECT_TRUE(actual == expected) << name << ": " << ShowValue(actual).toStdString()
                                      << ", expected " << ShowValue(expected).toStdString();
    }
  }
}
