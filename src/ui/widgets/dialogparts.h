// Building pieces shared by the three editing dialogs: window flags, the
// dialogs' default font, flat buttons with the paint-brush picture, colour
// swatches, separator lines, bordered panels and centring on the owner window.
#pragma once

#include <QFrame>
#include <QString>
#include <QWidget>

#include "model/model.h"

class QCheckBox;
class QDialog;
class QPushButton;
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

// Names the dialog, captions it, gives it the default font and a fixed client size.
void SetUpDialog(QDialog* dialog, const QString& name, const QString& title, const QSize& size);

// A flat button with the 16-by-16 paint-brush picture left of its caption.
QToolButton* MakeBrushButton(QWidget* parent, const QString& name, const QString& text,
                             const QRect& geometry);

// A check box with its object name, caption and geometry.
QCheckBox* MakeCheckBox(QWidget* parent, const QString& name, const QString& text,
                        const QRect& geometry);
// A push button with its object name, caption and geometry.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& geometry);

// A raised panel that shows one colour.
QFrame* MakeSwatch(QWidget* parent, const QString& name, const QRect& geometry);
void SetSwatchColor(QFrame* swatch, TColor color);
TColor SwatchColor(const QFrame* swatch);

// A panel with a sunken single-line border. Its client area, inside the
// border, is the returned panel's only child widget: place the panel's
// contents there so that they are clipped at the border.
QFrame* MakeBorderPanel(QWidget* parent, const QString& name, const QRect& geometry);
QWidget* PanelClient(QFrame* panel);

// A horizontal separator: a sunken line along the top of its rectangle.
class TBevelLine : public QWidget {
  Q_OBJECT
 public:
  explicit TBevelLine(QWidget* parent = nullptr);
  TBevelLine(QWidget* parent, const QString& name, const QRect& geometry);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// Places the dialog so that its centre meets the owner window's centre, and
// keeps it above the owner while shown. The dialogs are not the owner's child
// objects: whoever creates them deletes them.
void PlaceOverOwner(QWidget* dialog, QWidget* owner);
