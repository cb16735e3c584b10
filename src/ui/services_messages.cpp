#include "ui/services_messages.h"

#include <array>
#include <cstdio>

namespace quorvel::messages {

std::string UnknownControl(std::uint32_t control_id) {
  std::array<char, 16> hex{};
  std::snprintf(hex.data(), hex.size(), "0x%08X", control_id);
  // 窗口中不存在欲访问的窗口组件
  std::string message =
      "\xB4\xB0\xBF\xDA\xD6\xD0\xB2\xBB\xB4\xE6\xD4\xDA\xD3\xFB\xB7\xC3\xCE\xCA\xB5\xC4\xB4\xB0\xBF"
      "\xDA"
      "\xD7\xE9\xBC\xFE (";
  message += hex.data();
  message += ")";
  return message;
}

std::string MissingProperty(std::int32_t number) {
  std::string message =
      "\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xC3\xBB\xD3\xD0\xB5\xDA ";  // 窗口组件没有第
  message += std::to_string(number);
  message += " \xBA\xC5\xCA\xF4\xD0\xD4";  // 号属性
  return message;
}

std::string MissingMember(std::int32_t member) {
  std::string message = "\xCA\xF4\xD0\xD4\xC3\xBB\xD3\xD0\xB5\xDA ";  // 属性没有第
  message += std::to_string(member);
  message += " \xBA\xC5\xB3\xC9\xD4\xB1";  // 号成员
  return message;
}

}  // namespace quorvel::messages
