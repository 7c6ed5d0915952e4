#pragma once
// How a handler tells the user of a failure: the error's description and number in a
// box under the handler's own caption. Every program reports through these two.
#include "platform/runtime/runtime_error.h"

#include <QString>
#include <functional>
#include <initializer_list>

namespace ks::ui {

// Shows "<description>\r\r(Error #<number>)", OK only, under caption. A preface, when
// given, comes first with an empty line after it.
void showFailure(const RuntimeError& error, const QString& caption, const QString& preface = {});

// Runs one step of a handler. A RuntimeError it raises is shown under caption unless
// its number is one of passSilently (a cancelled dialog, a missing printer); either way
// the handler goes on. True when the step ran to its end.
bool runStep(const QString& caption, const std::function<void()>& work, std::initializer_list<int> passSilently = {});

// The form of the handlers that go on past every failed line: the hourglass off, then
// "<number> <description>" CR LF and the procedures the failure passed through, under
// the application title.
void showFailureWithSource(const RuntimeError& error);
bool runStepShowingSource(const std::function<void()>& work);

}
