// Lines that the setup reads otherwise than they look, found as the lines of a file go by: a
// header without its "]", a line without "=" in a section that the editor owns, and a repeated
// section that the editor owns. None of them changes what "Open" loads; each is a warning.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "model/model.h"

enum class TWarningKind : uint8_t {
  HeaderWithoutBracket,  // "[Name" without "]": no header, its keys stay in the section above
  LineWithoutEquals,     // a line of Config, Display or Variables that holds no "="
  RepeatedSection,       // a later section of Config, Display or Variables: never read
};

// One warning: the views last until the next line is taken.
struct TLineWarning {
  TWarningKind Kind;
  int32_t Line;              // the file's line, 1 for the first
  std::string_view Section;  // the section the line's keys belong to, or the repeated one
  std::string_view Text;     // the line without the blanks around it
};

// The warning's text (UTF-8), section and line shown as ShownText shows them.
std::string WarningText(TWarningKind kind, std::string_view section, std::string_view line);
// The warning as "Open" reports it: Warning set, Line given, Key the key the setup reads from a
// line without "=".
TOpenProblem WarningProblem(const TLineWarning& warning);

class TLineWarnings {
 public:
  using TReport = std::function<void(const TLineWarning&)>;
  // Without a report the warnings are only counted.
  explicit TLineWarnings(TReport report = nullptr) : Report_(std::move(report)) {}

  // Takes the file's next line (number 1 for the first), as the scan of the file hands it.
  void Line(size_t number, std::string_view text);
  // How many warnings the lines so far gave.
  size_t Count() const { return Count_; }

 private:
  void Warn(TWarningKind kind, size_t number, std::string_view section, std::string_view text);

  TReport Report_;
  size_t Count_ = 0;
  std::string Section_;         // the name of the last header, as the file spells it
  bool Owned_ = false;          // its section is the first one of Config, Display or Variables
  std::array<bool, 3> Seen_{};  // which of these three have begun
};
