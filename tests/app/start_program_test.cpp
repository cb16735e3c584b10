// StartProgram's order and floating-point environment, and MainWindow's description data.
#include "app/start_program.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <string>
#include <vector>

#include "app/compute_clicked.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "ui/gbk.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

struct FloatingPointState {
  std::uint16_t x87_control = 0;
  std::uint16_t x87_status = 0;
  std::uint32_t sse_control = 0;
};

FloatingPointState CurrentState() {
  FloatingPointState state;
#if defined(__i386__) || defined(__x86_64__)
  asm volatile("fnstcw %0" : "=m"(state.x87_control));
  asm volatile("fnstsw %0" : "=m"(state.x87_status));
  asm volatile("stmxcsr %0" : "=m"(state.sse_control));
#endif
  return state;
}

// Precision 53 bits, rounding up, divide-by-zero unmasked, a flag raised.
void DisturbFloatingPoint() {
  std::feraiseexcept(FE_INEXACT);
  std::fesetround(FE_UPWARD);
#if defined(__i386__) || defined(__x86_64__)
  const std::uint16_t x87_control = 0x0A7B;
  asm volatile("fldcw %0" : : "m"(x87_control));
  const std::uint32_t sse_control = 0x5D80 | 0x0001;  // upward, ZE unmasked, IE flag set
  asm volatile("ldmxcsr %0" : : "m"(sse_control));
#endif
}

std::vector<std::string> calls;
FloatingPointState at_prepare;
FloatingPointState at_register;
Routine registered = nullptr;

void FakePrepare() {
  calls.emplace_back("PrepareProgram");
  at_prepare = CurrentState();
}
void FakeRegister(Routine routine) {
  calls.emplace_back("RegisterExitRoutine");
  at_register = CurrentState();
  registered = routine;
}
void FakeLoad(std::uint32_t window_id) {
  calls.emplace_back("LoadWindow " + std::to_string(window_id));
}
int FakeLoop() {
  calls.emplace_back("RunMessageLoop");
  return 7;  // whatever the loop gives, StartProgram returns 0
}

TEST(StartProgram, CallsTheServicesInOrderAfterResettingTheFloatingPointUnit) {
  const WindowServices saved = Services();
  Services().PrepareProgram = FakePrepare;
  Services().RegisterExitRoutine = FakeRegister;
  Services().LoadWindow = FakeLoad;
  Services().RunMessageLoop = FakeLoop;
  DisturbFloatingPoint();
  const int status = StartProgram();
  std::fesetenv(FE_DFL_ENV);
  Services() = saved;

  EXPECT_EQ(status, 0);
  const std::vector<std::string> expected = {"PrepareProgram", "RegisterExitRoutine",
                                             "LoadWindow " + std::to_string(0x52010001),
                                             "RunMessageLoop"};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(registered, ExitRoutine);
#if defined(__i386__) || defined(__x86_64__)
  EXPECT_EQ(at_prepare.x87_control & 0x0FFF, 0x0A7B) << "the reset comes after PrepareProgram";
  // 64-bit precision, nearest, all exceptions masked; no flag left standing.
  EXPECT_EQ(at_register.x87_control & 0x0F3F, 0x033F);
  EXPECT_EQ(at_register.x87_status & 0x3F, 0);
  EXPECT_EQ(at_register.sse_control, 0x1F80U);
#endif
}

TEST(MainWindowDescription, TextsAreGbkOfTheExpectedWords) {
  const WindowDescription& window = MainWindowDescription();
  EXPECT_EQ(window.window.id, kMainWindowId);
  const std::vector<std::pair<std::uint32_t, std::string>> names = {
      {kLabel2Id, "标签2"},     {kComboBox1Id, "组合框1"}, {kButton1Id, "按钮1"},
      {kLabel1Id, "标签1"},     {kEditBox3Id, "编辑框3"},  {kEditBox2Id, "编辑框2"},
      {kEditBox1Id, "编辑框1"},
  };
  ASSERT_EQ(window.controls.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(window.controls[i].id, names[i].first) << i;
    EXPECT_EQ(GbkToUtf8(window.controls[i].name_gbk), names[i].second) << i;
  }

  const auto setting = [](const ControlDescription& control, std::int32_t number) {
    for (const PropertySetting& s : control.settings) {
      if (s.number == number) return s.value;
    }
    ADD_FAILURE() << "no setting " << number;
    return PropertyValue{};
  };
  const ControlDescription& label2 = window.controls[0];
  const ControlDescription& button = window.controls[2];
  const ControlDescription& label1 = window.controls[3];
  EXPECT_EQ(std::get<std::string>(setting(window.window, 8)), "Quorvel");
  EXPECT_EQ(GbkToUtf8(std::get<std::string>(setting(button, 10))), "计算");
  EXPECT_EQ(std::get<std::string>(setting(label1, 8)), "=");
  const std::string credit = GbkToUtf8(std::get<std::string>(setting(label2, 8)));
  EXPECT_EQ(credit, "作者：林晓舟 电话：5550123 QQ：5550456");
  const auto font1 = std::get<std::optional<Font>>(setting(label1, 15));
  const auto font2 = std::get<std::optional<Font>>(setting(label2, 15));
  ASSERT_TRUE(font1 && font2);
  EXPECT_EQ(GbkToUtf8(font1->face_gbk), "宋体");
  EXPECT_EQ(GbkToUtf8(font2->face_gbk), "宋体");

  // The one event binding: 按钮1's click to ComputeClicked.
  for (const ControlDescription& control : window.controls) {
    if (control.id == kButton1Id) {
      ASSERT_EQ(control.events.size(), 1U);
      EXPECT_EQ(control.events[0].event, 0);
      EXPECT_EQ(control.events[0].handler, ComputeClicked);
    } else {
      EXPECT_TRUE(control.events.empty()) << control.id;
    }
  }
  EXPECT_TRUE(window.window.events.empty());
  EXPECT_EQ(MainProgramDescription().default_icon_xpm.size(), 3U);
}

}  // namespace
}  // namespace quorvel
