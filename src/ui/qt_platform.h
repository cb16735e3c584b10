// The Qt side of the process: the application object, the widget style, the default font,
// the binding of the window services and the error box. One exists while the program runs.
#pragma once

#include <QApplication>
#include <memory>

#include "ui/qt_binding.h"
#include "ui/run_time_error.h"

namespace quorvel {

class QtPlatform {
 public:
  // Takes Qt's own options (such as -platform) from the command line.
  QtPlatform(int& argc, char** argv);
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;
  ~QtPlatform();

  QtBinding& binding() { return *binding_; }

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QtBinding> binding_;
  PlatformBinding* previous_binding_ = nullptr;
  ErrorReporter previous_reporter_ = nullptr;
};

}  // namespace quorvel
