// What assistive technology (screen readers, through Qt's accessibility bridge)
// learns of the program's own widgets, which draw themselves: the mock-up parts
// are buttons whose press action opens what a click opens, the check lists are
// lists of checkable entries, the variables table is a table. The widgets
// announce their changes through the functions below.
#pragma once

#include <QString>

#include "model/model.h"

class QWidget;
class TCheckListBox;

// Registers the accessibility factory for the program's own widgets. Must run
// before any accessible interface of such a widget is asked for; runs once
// however often it is called.
void InstallAccessibility();

// A check list entry's tick changed.
void AnnounceEntryChecked(TCheckListBox* list, int index);
// A check list entry became the selected one.
void AnnounceEntrySelected(TCheckListBox* list, int index);
// A check list entry's place in the order (part of its description) changed.
void AnnounceEntryDescription(TCheckListBox* list, int index);
// The widget's value as read out (the current cell of the table) changed.
void AnnounceValue(QWidget* widget, const QString& value);

// A colour and a font as a screen reader says them: "синий"; "Arial, 12 пт,
// чёрный, полужирный".
QString ColorName(TColor color);
QString FontSummary(const TFontDesc& font);
// The button that chooses a value describes the value chosen now; assistive
// technology hears of the change.
void DescribeChoice(QWidget* button, const QString& current);
