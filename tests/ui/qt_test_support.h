// Helpers shared by the widget tests.
#pragma once

#include <QApplication>
#include <QWidget>
#include <stdexcept>
#include <string>

#include "ui/qt_platform.h"
#include "ui/qt_text.h"

namespace quorvel::testing {

// The Qt platform the test program runs on.
QtPlatform& TestPlatform();

// The widget of a control of a loaded window; a test that asks for a missing one is wrong.
inline QWidget* ControlWidget(std::uint32_t window_id, std::uint32_t control_id) {
  LayerWindow* window = TestPlatform().binding().Window(window_id);
  QWidget* widget = window == nullptr ? nullptr : window->Control(control_id);
  if (widget == nullptr)
    throw std::logic_error("no widget for control " + std::to_string(control_id));
  return widget;
}

// Text as the layer holds it, for comparing with a widget's text.
inline std::string Gbk(const QString& text) { return ToGbk(text); }

}  // namespace quorvel::testing
