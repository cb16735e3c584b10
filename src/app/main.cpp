// The quorvel program: sets up Qt, hands MainWindow's description to the window layer, runs
// StartProgram and ends the layer in order. The program takes no options of its own; Qt's
// (such as -platform) are taken by Qt.
#include <unistd.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "app/start_program.h"
#include "ui/qt_platform.h"
#include "ui/window_layer.h"

namespace {

constexpr int kNoDisplayStatus = 1;

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool PlatformNamedOnCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-platform" || argument == "--platform" || argument.starts_with("-platform=") ||
        argument.starts_with("--platform=")) {
      return true;
    }
  }
  return false;
}

// Qt's messages while it opens the display are held back: if it cannot, the program ends
// with one clear line instead of the toolkit's report and an abort; if it can, they are
// written out as Qt would have written them.
std::vector<std::string>& HeldMessages() {
  static std::vector<std::string> held;
  return held;
}

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr,
                 "quorvel: could not open the display%s%s%s; run it on a working display or a "
                 "virtual one, for example: xvfb-run quorvel\n",
                 display != nullptr ? " \"" : "", display != nullptr ? display : "",
                 display != nullptr ? "\"" : "");
    _exit(kNoDisplayStatus);
  }
  HeldMessages().push_back(qFormatLogMessage(type, context, message).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM") &&
      !PlatformNamedOnCommandLine(argc, argv)) {
    std::fputs(
        "quorvel: no display found (DISPLAY and WAYLAND_DISPLAY are not set); run it in a "
        "desktop session or on a virtual display, for example: xvfb-run quorvel\n",
        stderr);
    return kNoDisplayStatus;
  }

  const QtMessageHandler previous_handler = qInstallMessageHandler(HoldStartupMessage);
  quorvel::QtPlatform platform(argc, argv);
  qInstallMessageHandler(previous_handler);
  for (const std::string& message : HeldMessages()) std::fprintf(stderr, "%s\n", message.c_str());
  HeldMessages().clear();

  quorvel::SetProgramDescription(&quorvel::MainProgramDescription());
  return quorvel::EndProgram(quorvel::StartProgram());
}
