// The run-time error box of the Qt binding.
#pragma once

#include <QMessageBox>
#include <memory>
#include <string_view>

namespace quorvel {

// The box for a finished run-time error text (GBK): modal, without owner, titled "错误",
// with the error icon and an OK button.
std::unique_ptr<QMessageBox> MakeRunTimeErrorBox(std::string_view box_text_gbk);

// The error reporter the binding installs: shows the box and waits until it is closed.
void ShowRunTimeErrorBox(std::string_view box_text_gbk);

}  // namespace quorvel
