// The messages of the window services' run-time errors, in GBK.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::messages {

// 载入窗口模板数据段出错!
inline constexpr std::string_view kDescriptionUnreadable =
    "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!";
// 载入启动窗口失败
inline constexpr std::string_view kLoadWindowFailed =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";
// 未载入欲访问窗口组件所在的窗口
inline constexpr std::string_view kPropertyWindowNotLoaded =
    "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9\xD4"
    "\xDA"
    "\xB5\xC4\xB4\xB0\xBF\xDA";
// 指定窗口尚未载入
inline constexpr std::string_view kWindowGone =
    "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB";
// 未找到引发事件的窗口
inline constexpr std::string_view kEventWindowNotFound =
    "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA";
// 未找到引发事件的窗口组件
inline constexpr std::string_view kEventControlNotFound =
    "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC"
    "\xFE";
// 引发事件的窗口组件无效
inline constexpr std::string_view kEventControlInvalid =
    "\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCE\xDE\xD0\xA7";
// 无法将当前目录设为程序所在的目录
inline constexpr std::string_view kCannotEnterProgramFolder =
    "\xCE\xDE\xB7\xA8\xBD\xAB\xB5\xB1\xC7\xB0\xC4\xBF\xC2\xBC\xC9\xE8\xCE\xAA\xB3\xCC\xD0\xF2\xCB"
    "\xF9"
    "\xD4\xDA\xB5\xC4\xC4\xBF\xC2\xBC";

// 窗口中不存在欲访问的窗口组件 (0x1601000D)
std::string UnknownControl(std::uint32_t control_id);
// 窗口组件没有第 40 号属性
std::string MissingProperty(std::int32_t number);
// 属性没有第 12 号成员
std::string MissingMember(std::int32_t member);

}  // namespace quorvel::messages
