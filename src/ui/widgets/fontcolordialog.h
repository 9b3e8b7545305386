// The font dialog of the program: the toolkit's font choice (face, style,
// size, underline and strike-out) with a colour choice beside it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "model/model.h"

class QFontDialog;
class QFrame;
class QPushButton;

class TFontColorDialog : public QDialog {
  Q_OBJECT
 public:
  // Asks for a colour starting with `color`; true and the chosen colour when confirmed.
  using TColorChooser = std::function<bool(QWidget* parent, TColor& color)>;

  // chooseColor runs the colour choice of the "Выбрать цвет..." button; without
  // one the button changes nothing.
  explicit TFontColorDialog(QWidget* parent = nullptr, TColorChooser chooseColor = nullptr);

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
  TColorChooser ChooseColor_;
  TColor Color_ = 0;
  std::string StartName_;
  QString StartFamily_;
};

// The face name as the font list names it, without a "[foundry]" suffix.
QString PlainFamilyName(const QString& family);
