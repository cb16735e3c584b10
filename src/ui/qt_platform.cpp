#include "ui/qt_platform.h"

#include <QProxyStyle>
#include <QStyleFactory>

#include "ui/qt_error_box.h"
#include "ui/qt_fonts.h"
#include "ui/window_layer.h"

namespace quorvel {
namespace {

// Fusion everywhere, so that the window looks the same on every platform plugin; a combo
// box's list opens below the box rather than over it.
class LayerStyle : public QProxyStyle {
 public:
  LayerStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

QtPlatform::QtPlatform(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)),
      binding_(std::make_unique<QtBinding>()),
      previous_binding_(InstallPlatformBinding(binding_.get())),
      previous_reporter_(SwapErrorReporter(ShowRunTimeErrorBox)) {
  QApplication::setStyle(new LayerStyle);  // the application takes ownership
  QApplication::setPalette(QApplication::style()->standardPalette());
  QApplication::setFont(DefaultGuiFont());
  QApplication::setQuitOnLastWindowClosed(false);  // the window services post the quit
  // Lets desktops and Wayland compositors match the window to its launcher and icon.
  QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
}

QtPlatform::~QtPlatform() {
  SwapErrorReporter(previous_reporter_);
  InstallPlatformBinding(previous_binding_);
  binding_.reset();
  application_.reset();
}

}  // namespace quorvel
