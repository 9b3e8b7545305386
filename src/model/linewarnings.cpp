// Warnings about lines that the setup reads otherwise than they look.
#include "model/linewarnings_p.h"

#include "inifile/inifile.h"
#include "inifile/lineforms_p.h"
#include "model/valueparse_p.h"

namespace {

constexpr std::array<std::string_view, 3> kOwnedSections{"Config", "Display", "Variables"};

// The index of the owned section of that name (ignoring letter case), or the count when none.
size_t OwnedIndex(std::string_view name) {
  size_t i = 0;
  while (i < kOwnedSections.size() && !SameFolded(name, kOwnedSections[i])) ++i;
  return i;
}

std::string Quoted(std::string_view text) { return "«" + ShownText(std::string(text)) + "»"; }

}  // namespace

std::string WarningText(TWarningKind kind, std::string_view section, std::string_view line) {
  switch (kind) {
    case TWarningKind::HeaderWithoutBracket:
      return "строка " + Quoted(line) +
             " — заголовок без «]»: программа установки не считает её началом раздела, и ключи "
             "после неё " +
             (section.empty() ? std::string("не относятся ни к одному разделу")
                              : "относятся к разделу " + Quoted(section));
    case TWarningKind::LineWithoutEquals:
      return "строка " + Quoted(line) + " в разделе " + Quoted(section) +
             " — без «=»: программа установки читает её как ключ без значения, а редактор "
             "пропускает её";
    case TWarningKind::RepeatedSection: break;
  }
  return "раздел " + Quoted(section) +
         " повторяется: программа установки и редактор читают только первый раздел с этим "
         "именем, ключи этого раздела не используются";
}

TOpenProblem WarningProblem(const TLineWarning& warning) {
  TOpenProblem problem{std::string(warning.Section),
                       {},
                       0,
                       WarningText(warning.Kind, warning.Section, warning.Text)};
  if (warning.Kind == TWarningKind::LineWithoutEquals) problem.Key = warning.Text;
  problem.Warning = true;
  problem.Line = warning.Line;
  return problem;
}

void TLineWarnings::Line(size_t number, std::string_view text) {
  // As the setup reads a line: trimmed, and a comment when it starts with ";".
  const std::string_view line = TrimProfileSpace(text);
  if (line.empty() || line.front() == ';') return;
  std::string_view name;
  if (line.front() == '[' && ParseHeader(line, name)) {
    name = name.substr(0, name.find('\0'));
    Section_.assign(name);
    const size_t owned = OwnedIndex(name);
    Owned_ = owned < Seen_.size() && !Seen_[owned];
    if (owned < Seen_.size() && !Owned_) Warn(TWarningKind::RepeatedSection, number, name, line);
    if (owned < Seen_.size()) Seen_[owned] = true;
    return;
  }
  // A line with "=" is a key with its value; one whose key a NUL empties is none.
  if (line.find('=') != std::string_view::npos || line.front() == '\0') return;
  if (line.front() == '[') {
    Warn(TWarningKind::HeaderWithoutBracket, number, Section_, line);
  } else if (Owned_) {
    Warn(TWarningKind::LineWithoutEquals, number, Section_, line.substr(0, line.find('\0')));
  }
}

void TLineWarnings::Warn(TWarningKind kind, size_t number, std::string_view section,
                         std::string_view text) {
  ++Count_;
  if (Report_) Report_(TLineWarning{kind, static_cast<int32_t>(number), section, text});
}
