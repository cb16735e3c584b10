#include "ui/run_time_error.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace quorvel {
namespace {

// Without a window binding the box text goes to standard error as it stands (GBK).
void ReportOnStandardError(std::string_view box_text_gbk) {
  std::fwrite(box_text_gbk.data(), 1, box_text_gbk.size(), stderr);
  std::fflush(stderr);
}

void EndProcess(int status) { _exit(status); }

std::atomic<ErrorReporter> current_reporter{ReportOnStandardError};
std::atomic<ProcessEnder> current_ender{EndProcess};
std::atomic<bool> reporting{false};

}  // namespace

std::string RunTimeErrorText(std::string_view message_gbk) {
  std::string text = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";  // 运行时出错!
  text += "\r\n\r\n";
  text += "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";  // 错误信息：
  text += message_gbk;
  text += "\r\n";
  return text;
}

void RaiseRunTimeError(std::string_view message_gbk) {
  reporting.store(true);
  current_reporter.load()(RunTimeErrorText(message_gbk));
  current_ender.load()(kRunTimeErrorStatus);
  _exit(kRunTimeErrorStatus);  // a swapped ender that returns still ends the process
}

bool ReportingRunTimeError() { return reporting.load(); }

ErrorReporter SwapErrorReporter(ErrorReporter reporter) {
  return current_reporter.exchange(reporter);
}

ProcessEnder SwapProcessEnder(ProcessEnder ender) { return current_ender.exchange(ender); }

}  // namespace quorvel
