// The font dialog of the program: the toolkit's font choice (face, style,
// size, underline and strike-out) with a colour choice beside it.
#pragma once

#include <QDialog>

#include "model/model.h"

class QFontDialog;
class QFrame;
class QPushButton;

class TFontColorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFontColorDialog(QWidget* parent = nullptr);

  // Starts the choice with this font and its colour.
  void SetFontDesc(const TFontDesc& font);
  // The chosen font. A face left as it started keeps the name it started with.
  TFontDesc FontDesc() const;

  QFontDialog* FontDialog() const { return Fonts_; }
  TColor Color() const { return Color_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ColorClick();
  void ShowColor();

  QFontDialog* Fonts_ = nullptr;
  QPushButton* ColorButton_ = nullptr;
  QFrame* ColorSwatch_ = nullptr;
  TColor Color_ = 0;
  std::string StartName_;
  QString StartFamily_;
};

// The face name as the font list names it, without a "[foundry]" suffix.
QString PlainFamilyName(const QString& family);
