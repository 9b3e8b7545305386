#include "projectdiff.h"

#include <algorithm>
#include <cstdio>

namespace {

void Compare(std::string& out, const char* item, const std::string& a, const std::string& b) {
  if (a != b)
    out += std::string(item) + ": " + Cp1251ToUtf8WithReplacementChar(a) + " <> " +
           Cp1251ToUtf8WithReplacementChar(b) + "\n";
}

std::string VariablesText(const TProject& p) {
  std::string text;
  for (const TVariableRow& row : p.Variables) text += "[" + row.Name + "=" + row.Value + "]";
  return text;
}

std::string PositionText(const TDialogPosition& position) {
  return std::to_string(position.Horizontal) + "," + std::to_string(position.Vertical);
}

}  // namespace

std::string ColorText(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(color));
  return text;
}

std::string FontText(const TFontDesc& font) {
  return font.Name + "|" + std::to_string(font.Size) + "|" + ColorText(font.Color) +
         (font.Bold ? "|B" : "|-") + (font.Italic ? "|I" : "|-") + (font.Underline ? "|U" : "|-") +
         (font.StrikeOut ? "|S" : "|-");
}

std::string ListText(const TCheckList& list) {
  std::string text;
  for (int32_t i = 0; i < list.Count(); ++i) {
    text += list.Name(i) + (list.IsUnknown(i) ? "?" : "") + (list.IsTicked(i) ? "+," : "-,");
  }
  text += "selected " + std::to_string(list.Selected());
  if (std::is_sorted(list.Order().begin(), list.Order().end())) return text;
  text += ", order";
  for (const int32_t index : list.Order()) text += ' ' + std::to_string(index);
  return text;
}

std::string ProjectDifference(const TProject& a, const TProject& b) {
  std::string out;
  Compare(out, "ProgramNameText", a.ProgramNameText, b.ProgramNameText);
  Compare(out, "MainTitleCaption", a.MainTitleCaption, b.MainTitleCaption);
  Compare(out, "DialogTitleCaption", a.DialogTitleCaption, b.DialogTitleCaption);
  Compare(out, "TitleFont", FontText(a.TitleFont), FontText(b.TitleFont));
  Compare(out, "DialogFont", FontText(a.DialogFont), FontText(b.DialogFont));
  Compare(out, "TitleShadow", std::to_string(a.TitleShadow), std::to_string(b.TitleShadow));
  Compare(out, "DialogShadow", std::to_string(a.DialogShadow), std::to_string(b.DialogShadow));
  Compare(out, "TitleShadowColor", ColorText(a.TitleShadowColor), ColorText(b.TitleShadowColor));
  Compare(out, "DialogShadowColor", ColorText(a.DialogShadowColor), ColorText(b.DialogShadowColor));
  Compare(out, "TopColor", ColorText(a.TopColor), ColorText(b.TopColor));
  Compare(out, "BottomColor", ColorText(a.BottomColor), ColorText(b.BottomColor));
  Compare(out, "BackgroundEnabled", std::to_string(a.BackgroundEnabled),
          std::to_string(b.BackgroundEnabled));
  Compare(out, "DialogPosition", PositionText(a.DialogPosition), PositionText(b.DialogPosition));
  Compare(out, "Langs", ListText(a.Langs), ListText(b.Langs));
  Compare(out, "Pred", ListText(a.Pred), ListText(b.Pred));
  Compare(out, "Post", ListText(a.Post), ListText(b.Post));
  Compare(out, "Variables", VariablesText(a), VariablesText(b));
  return out;
}
