// The handler of the click of 按钮1 ("计算").
#pragma once

namespace quorvel {

// Reads the operator and both operands, computes and writes the result into 编辑框3.
void ComputeClicked();

}  // namespace quorvel
