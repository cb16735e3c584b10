// Run-time errors of the window layer: one modal box, then the process ends with status 255
// (the platform's -1) without running the exit routine.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Shows the finished box text (GBK) titled "错误" with the error icon and waits until it is closed.
using ErrorReporter = void (*)(std::string_view box_text_gbk);

// Ends the process at once with the given status; never returns.
using ProcessEnder = void (*)(int status);

inline constexpr int kRunTimeErrorStatus = 255;

// The box text for `message_gbk`: "运行时出错!", two CR LF, "错误信息：", the message, CR LF.
std::string RunTimeErrorText(std::string_view message_gbk);

// Reports `message_gbk` through the current reporter and ends the process.
[[noreturn]] void RaiseRunTimeError(std::string_view message_gbk);

// True from the moment a run-time error begins to be reported; the layer delivers no event
// after that.
bool ReportingRunTimeError();

// Seams for the window binding and for tests; each returns the previous one.
ErrorReporter SwapErrorReporter(ErrorReporter reporter);
ProcessEnder SwapProcessEnder(ProcessEnder ender);

}  // namespace quorvel
