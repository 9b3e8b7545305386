// Pieces shared by the windows beyond what their stored forms say: window
// flags, the default font, scheme colours, the paint-brush picture of the flat
// buttons, colour swatches, separator lines and centring on the owner window.
#pragma once

#include <QFrame>
#include <QString>
#include <QWidget>

#include "model/model.h"

class QToolButton;

// Scheme colours of the mock-ups: button face, active caption and caption text.
inline constexpr TColor clBtnFace = clSchemeFlag | 15u;
inline constexpr TColor clActiveCaption = clSchemeFlag | 2u;
inline constexpr TColor clCaptionText = clSchemeFlag | 9u;

// Sets one colour role of the widget's palette.
void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, TColor color);
// The widget paints its background in the colour.
void FillBackground(QWidget* widget, TColor color);

// A fixed dialog border with the system menu (close box) only.
Qt::WindowFlags DialogWindowFlags();

// "MS Sans Serif", 8 points: the default font of the program's windows.
QFont DefaultWindowFont();

// Gives a flat button the 16-by-16 paint-brush picture left of its caption.
void SetBrushPicture(QToolButton* button);

// A raised panel that shows one colour.
QFrame* MakeSwatch(QWidget* parent, const QString& name, const QRect& geometry);
void SetSwatchColor(QFrame* swatch, TColor color);
TColor SwatchColor(const QFrame* swatch);

// A horizontal separator: a sunken line along the top of its rectangle.
class TBevelLine : public QWidget {
  Q_OBJECT
 public:
  explicit TBevelLine(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// Places the dialog so that its centre meets the owner window's centre, and
// keeps it above the owner while shown. The dialogs are not the owner's child
// objects: whoever creates them deletes them.
void PlaceOverOwner(QWidget* dialog, QWidget* owner);
