// The error box for exceptions that escape a command or click handler.
#pragma once

#include <QString>
#include <exception>
#include <string>
#include <utility>

#include "ui/support/apptitle.h"

// The text of the error box: the message, with a full stop appended when its last
// byte sorts after "." (after a letter or digit, not after ")", "!" or ".").
QString ErrorBoxText(const std::string& utf8Message);
// Shows the error box for an exception's message over the active window.
void ShowErrorMessage(const std::string& utf8Message);

// Wraps a handler for QObject::connect: an exception escaping it is shown in the
// error box right there and the program goes on. Qt's widget code is built without
// exception support, so an exception unwinding through it would leave its work
// half done (and leak); the application's notify override only catches what slips past.
template <typename Handler>
auto ReportingErrors(Handler handler) {
  return [handler = std::move(handler)]() mutable {
    try {
      handler();
    } catch (const std::exception& error) {
      ShowErrorMessage(error.what());
    } catch (...) {
      ShowErrorMessage("Unknown error");
    }
  };
}
