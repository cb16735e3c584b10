#include "ui/qt_error_box.h"

#include "ui/qt_text.h"

namespace quorvel {

std::unique_ptr<QMessageBox> MakeRunTimeErrorBox(std::string_view box_text_gbk) {
  QString text = FromGbk(box_text_gbk);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical,
                                           FromGbk("\xB4\xED\xCE\xF3"),  // 错误
                                           text, QMessageBox::Ok);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

void ShowRunTimeErrorBox(std::string_view box_text_gbk) {
  MakeRunTimeErrorBox(box_text_gbk)->exec();
}

}  // namespace quorvel
