// The label style dialog: font, colours, shadow and visibility of the two titles,
// and the product name. It edits the project it is handed and knows no window
// but the owner it is centred on.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "model/model.h"

namespace Ui {
class StyleDlg;
}

class TStyleDlg : public QDialog {
  Q_OBJECT
 public:
  // owner: the window the dialog is centred on and kept above (not its parent).
  explicit TStyleDlg(QWidget* owner = nullptr);
  ~TStyleDlg() override;

  // Opens with the main title of `project` and runs modally. On OK the product
  // name, TitleFont, TitleShadowColor, TitleShadow and MainTitleCaption take the
  // result and true is returned; otherwise `project` is left unchanged.
  bool EditMainTitle(TProject& project);
  // The same for the dialog title: DialogFont, DialogShadowColor, DialogShadow
  // and DialogTitleCaption; the product name is not changed.
  bool EditDialogTitle(TProject& project);

  // The controls' handlers, as a click on each runs them.
  void TextFontClick();
  void ShadowColorClick();
  void UseShadowClick();
  void ShowItClick();
  void ProgNameChange();

 protected:
  // Another interface language: every text is set anew in it.
  void changeEvent(QEvent* event) override;

 private:
  enum class TTarget { MainTitle, DialogTitle };

  // Creates the controls at their places.
  void LayOut();
  void ConnectHandlers();
  // Loads the controls from the project for one of the two titles.
  void Open(TTarget target, const TProject& project);
  // Writes the dialog's result into the project.
  void ApplyMainTitle(TProject& project) const;
  void ApplyDialogTitle(TProject& project) const;
  // The font and shadow colour buttons describe the choices made now.
  void DescribeChoices();
  // The window title of the title being edited; the form's own before the first.
  void ShowTitle();

  std::unique_ptr<Ui::StyleDlg> Form_;
  QWidget* Owner_;
  std::optional<TTarget> Target_;  // the title last opened for
};
