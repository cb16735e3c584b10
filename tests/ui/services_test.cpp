// The window services without a windowing system: a recording binding stands in for Qt.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/test_description.h"
#include "ui/gbk.h"
#include "ui/run_time_error.h"
#include "ui/value_memory.h"
#include "ui/window_layer.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

using testing::kButtonId;
using testing::kComboId;
using testing::kFirstEditId;
using testing::kHiddenEditId;
using testing::kLabelId;
using testing::kTestWindowId;

// Every call the services make into the platform, in order.
class RecordingBinding : public PlatformBinding {
 public:
  std::vector<std::string> calls;
  ScreenGeometry screen{0, 0, 1366, 768};
  bool window_fails = false;
  std::map<std::pair<std::uint32_t, std::int32_t>, PropertyValue> live;
  std::function<void()> while_showing;
  int loop_code = 0;

  ScreenGeometry PrimaryScreen() override { return screen; }
  bool CreateWindow(const LoadedWindow& window, std::int32_t left, std::int32_t top,
                    std::span<const char* const* const> icon) override {
    calls.emplace_back("window " + Hex(window.window.id()) + " at " + std::to_string(left) + "," +
                       std::to_string(top) + " icons " + std::to_string(icon.size()));
    return !window_fails;
  }
  bool CreateControl(const LoadedWindow&, const LoadedControl& control) override {
    calls.emplace_back("create " + Hex(control.id()));
    return true;
  }
  void StackControls(const LoadedWindow&) override { calls.emplace_back("stack"); }
  void ShowControl(const LoadedWindow&, const LoadedControl& control) override {
    if (while_showing) while_showing();
    calls.emplace_back("show " + Hex(control.id()));
  }
  void ShowWindow(const LoadedWindow& window) override {
    std::string order;
    for (const std::uint32_t id : window.tab_order) order += " " + Hex(id);
    calls.emplace_back("show window, tab order" + order);
  }
  std::optional<PropertyValue> ReadLive(const LoadedWindow&, const LoadedControl& control,
                                        std::int32_t number) override {
    const auto entry = live.find({control.id(), number});
    if (entry == live.end()) return std::nullopt;
    return entry->second;
  }
  void Apply(const LoadedWindow&, const LoadedControl& control, std::int32_t number) override {
    calls.emplace_back("apply " + Hex(control.id()) + " " + std::to_string(number));
  }
  int RunLoop() override {
    calls.emplace_back("loop");
    return loop_code;
  }
  void Quit(int code) override { calls.emplace_back("quit " + std::to_string(code)); }
  void Release() override { calls.emplace_back("release"); }

  static std::string Hex(std::uint32_t id) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%08X", id);
    return text.data();
  }
};

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

void CountClick() { Log().emplace_back("click"); }

// Writes the box as UTF-8 between markers, so that a death test can match it.
void PrintBox(std::string_view box_text_gbk) {
  std::fprintf(stderr, "<box>%s</box>", GbkToUtf8(box_text_gbk).c_str());
  std::fflush(stderr);
}

// The regular expression that matches the box for `message_gbk` literally.
std::string BoxPattern(std::string_view message_gbk) {
  const std::string text = "<box>" + GbkToUtf8(RunTimeErrorText(message_gbk)) + "</box>";
  std::string pattern;
  for (const char c : text) {
    if (std::strchr("\\^$.|?*+()[]{}", c) != nullptr) pattern += '\\';
    pattern += c;
  }
  return pattern;
}

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    outstanding_ = OutstandingValues();
    Log().clear();
    program_.windows = {testing::TestWindow(CountClick)};
    program_.default_icon_xpm = {nullptr, nullptr, nullptr};
    SetProgramDescription(&program_);
    previous_ = InstallPlatformBinding(&binding_);
  }

  void TearDown() override {
    EndProgram(0);
    InstallPlatformBinding(previous_);
    SetProgramDescription(nullptr);
    EXPECT_EQ(OutstandingValues(), outstanding_) << "text values left unreleased";
  }

  void Load() {
    Services().PrepareProgram();
    Services().LoadWindow(kTestWindowId);
    binding_.calls.clear();
  }

  static PropertyWord Read(std::uint32_t control, std::int32_t number,
                           std::int32_t member = kWholeValue) {
    return Services().ReadProperty(kTestWindowId, control, number, member);
  }

  // A text read, released at once; nothing for no text.
  static std::optional<std::string> ReadText(std::uint32_t control, std::int32_t number,
                                             std::int32_t member = kWholeValue) {
    const auto* value = reinterpret_cast<const char*>(Read(control, number, member));
    if (value == nullptr) return std::nullopt;
    std::string text(value);
    Services().ReleaseValue(value);
    return text;
  }

  static void Write(std::uint32_t control, std::int32_t number, PropertyWord value,
                    std::int32_t member = kWholeValue) {
    Services().WriteProperty(kTestWindowId, control, number, member, value, 0);
  }

  static void WriteText(std::uint32_t control, std::int32_t number, const char* text) {
    Write(control, number, reinterpret_cast<PropertyWord>(text));
  }

  ProgramDescription program_;
  RecordingBinding binding_;
  PlatformBinding* previous_ = nullptr;
  std::size_t outstanding_ = 0;
};

TEST_F(ServicesTest, LoadWindowCreatesInReverseStacksShowsAndOrdersTheFocus) {
  Services().PrepareProgram();
  Services().LoadWindow(kTestWindowId);
  const std::vector<std::string> expected = {
      // (1366 - 300) / 2, (768 - 200) / 2
      "window 52010077 at 533,284 icons 3",
      "create 16010104",  // first edit, stored last, comes first
      "create 16010105",
      "create 16010106",
      "create 16010103",
      "create 16010102",
      "create 16010101",
      "stack",
      "show 16010101",
      "show 16010102",
      "show 16010103",  // the hidden edit is not shown
      "show 16010105",
      "show 16010104",
      // Tab numbers 0 in reverse stored order, then the button's 1; no hidden edit, no label.
      "show window, tab order 16010104 16010105 16010102 16010103",
  };
  EXPECT_EQ(binding_.calls, expected);
  // The centred position is what the window's left and top read.
  EXPECT_EQ(Read(kTestWindowId, 0), 533);
  EXPECT_EQ(Read(kTestWindowId, 1), 284);
}

TEST_F(ServicesTest, WindowNotCentredStaysAtItsStoredPlace) {
  program_.windows[0].window.settings.push_back({18, 0});
  Services().PrepareProgram();
  Services().LoadWindow(kTestWindowId);
  EXPECT_EQ(binding_.calls.front(), "window 52010077 at 7,9 icons 3");
}

TEST(CentredStart, DividesTruncatingTowardZero) {
  struct Case {
    std::int32_t screen_start, screen_size, size, expected;
  };
  for (const Case& c : {Case{0, 1366, 380, 493}, Case{0, 768, 250, 259}, Case{0, 301, 380, -39},
                        Case{0, 300, 380, -40}, Case{1920, 1366, 380, 2413}}) {
    EXPECT_EQ(CentredStart(c.screen_start, c.screen_size, c.size), c.expected)
        << c.screen_size << " " << c.size;
  }
}

TEST(PropertyCount, EachKindNumbersItsProperties) {
  EXPECT_EQ(PropertyCount(ControlKind::kWindow), 32);
  EXPECT_EQ(PropertyCount(ControlKind::kEditBox), 29);
  EXPECT_EQ(PropertyCount(ControlKind::kComboBox), 25);
  EXPECT_EQ(PropertyCount(ControlKind::kButton), 14);
  EXPECT_EQ(PropertyCount(ControlKind::kLabel), 29);
}

TEST_F(ServicesTest, ReadsStoredIntegers) {
  Load();
  struct Case {
    std::uint32_t control;
    std::int32_t number;
    std::int32_t member;
    PropertyWord expected;
  };
  const std::vector<Case> cases = {
      {kTestWindowId, 2, -1, 300},
      {kTestWindowId, 9, -1, 2},
      {kTestWindowId, 10, -1, -16777216},  // no colour, 0xFF000000, sign-extended
      {kLabelId, 1, -1, 150},
      {kLabelId, 5, -1, 1},
      {kLabelId, 6, -1, 0},
      {kLabelId, 7, -1, 0},
      {kLabelId, 15, kFontHeight, 35},
      {kLabelId, 15, kFontWeight, 700},
      {kLabelId, 15, kFontItalic, 0},
      {kLabelId, 15, kFontCharSet, 134},
      {kLabelId, 16, -1, 0x800000},  // #000080: blue in the third byte
      {kLabelId, 26, -1, 1},
      {kComboId, 8, -1, 2},
      {kComboId, 19, -1, 0},
      {kButtonId, 11, -1, 1},
      {kHiddenEditId, 5, -1, 0},
      {kHiddenEditId, 11, -1, 0xFFFFFF},
      {kHiddenEditId, 23, -1, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.control, c.number, c.member), c.expected)
        << std::hex << c.control << std::dec << " property " << c.number << " member " << c.member;
  }
}

TEST_F(ServicesTest, ReadsStoredTexts) {
  Load();
  EXPECT_EQ(ReadText(kTestWindowId, 8), "Test");
  EXPECT_EQ(ReadText(kLabelId, 8), "A&B");
  EXPECT_EQ(ReadText(kLabelId, 15, kFontFace), "\xCB\xCE\xCC\xE5");  // 宋体
  EXPECT_EQ(ReadText(kButtonId, 10), "\xBC\xC6\xCB\xE3");            // 计算
  EXPECT_EQ(ReadText(kComboId, 20), "+\r\n-\r\n*\r\n/");
  EXPECT_EQ(ReadText(kHiddenEditId, 19), "*");
  // Empty texts, no font and no picture hand out nothing.
  EXPECT_EQ(ReadText(kLabelId, 4), std::nullopt);
  EXPECT_EQ(ReadText(kHiddenEditId, 8), std::nullopt);
  EXPECT_EQ(Read(kButtonId, 13), 0);
  EXPECT_EQ(Read(kButtonId, 8), 0);
}

TEST_F(ServicesTest, WholeFontReadsAsRecordAndWritesBack) {
  Load();
  const auto* record = reinterpret_cast<const FontRecord*>(Read(kLabelId, 15));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->height, 35);
  EXPECT_EQ(record->weight, 700);
  EXPECT_EQ(record->char_set, 134);
  EXPECT_STREQ(record->face_gbk.data(), "\xCB\xCE\xCC\xE5");
  FontRecord changed = *record;
  Services().ReleaseValue(record);
  changed.height = 12;
  changed.italic = 1;
  Write(kButtonId, 13, reinterpret_cast<PropertyWord>(&changed));
  EXPECT_EQ(Read(kButtonId, 13, kFontHeight), 12);
  EXPECT_EQ(Read(kButtonId, 13, kFontItalic), 1);
  EXPECT_EQ(ReadText(kButtonId, 13, kFontFace), "\xCB\xCE\xCC\xE5");
  // Null goes back to the default GUI font.
  Write(kButtonId, 13, 0);
  EXPECT_EQ(Read(kButtonId, 13), 0);
}

TEST_F(ServicesTest, WritesStoreAndTakeEffect) {
  Load();
  struct Case {
    std::uint32_t control;
    std::int32_t number;
    std::int32_t member;
    PropertyWord written;
    PropertyWord expected;
  };
  const std::vector<Case> cases = {
      {kTestWindowId, 0, -1, -39, -39},
      {kLabelId, 5, -1, 0, 0},
      {kLabelId, 16, -1, 0xFF8800, 0xFF8800},
      {kLabelId, 15, kFontHeight, 16, 16},
      {kLabelId, 15, kFontWeight, 400, 400},
      {kComboId, 19, -1, -1, -1},
      {kComboId, 19, -1, 3, 3},
      // A font member of a control without a font starts an empty font.
      {kButtonId, 13, kFontWeight, 700, 700},
      {kButtonId, 13, kFontHeight, 0, 0},
  };
  for (const Case& c : cases) {
    binding_.calls.clear();
    Write(c.control, c.number, c.written, c.member);
    EXPECT_EQ(Read(c.control, c.number, c.member), c.expected)
        << std::hex << c.control << std::dec << " property " << c.number;
    EXPECT_EQ(binding_.calls, std::vector<std::string>{"apply " + RecordingBinding::Hex(c.control) +
                                                       " " + std::to_string(c.number)});
  }
}

TEST_F(ServicesTest, TextWritesAreCopied) {
  Load();
  std::string text = "12.5";
  WriteText(kFirstEditId, 8, text.c_str());
  text[0] = 'x';  // the caller's text stays the caller's
  EXPECT_EQ(ReadText(kFirstEditId, 8), "12.5");
  WriteText(kFirstEditId, 8, nullptr);
  EXPECT_EQ(ReadText(kFirstEditId, 8), std::nullopt);

  WriteText(kComboId, 20, "a\r\nb\r\n");
  EXPECT_EQ(ReadText(kComboId, 20), "a\r\nb\r\n");
  WriteText(kComboId, 20, "");
  EXPECT_EQ(ReadText(kComboId, 20), std::nullopt);

  const std::array<std::uint8_t, 7> picture = {3, 0, 0, 0, 0xAA, 0xBB, 0xCC};
  Write(kLabelId, 18, reinterpret_cast<PropertyWord>(picture.data()));
  const auto* read = reinterpret_cast<const std::uint8_t*>(Read(kLabelId, 18));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(std::memcmp(read, picture.data(), picture.size()), 0);
  Services().ReleaseValue(read);
}

TEST_F(ServicesTest, LiveValuesComeFromThePlatform) {
  Load();
  binding_.live[{kFirstEditId, 8}] = std::string("typed");
  binding_.live[{kComboId, 19}] = 2;
  EXPECT_EQ(ReadText(kFirstEditId, 8), "typed");
  EXPECT_EQ(Read(kComboId, 19), 2);
}

TEST_F(ServicesTest, DestroyedWindowKeepsItsCommonPropertiesAndQuitsTheLoop) {
  Load();
  WindowDestroyed(kTestWindowId);
  EXPECT_EQ(binding_.calls, std::vector<std::string>{"quit 0"});
  EXPECT_EQ(Read(kFirstEditId, 2), 80);
  Write(kFirstEditId, 0, 5);
  EXPECT_EQ(Read(kFirstEditId, 0), 5);
  EXPECT_EQ(binding_.calls.size(), 1U) << "nothing reaches a destroyed window";
  EXPECT_EQ(Services().RunMessageLoop(), 0);
  EXPECT_EQ(binding_.calls.size(), 1U) << "no loop without a loaded window";
}

TEST_F(ServicesTest, MessageLoopRunsWhileAWindowIsLoaded) {
  Services().PrepareProgram();
  EXPECT_EQ(Services().RunMessageLoop(), 0);
  EXPECT_TRUE(binding_.calls.empty());
  Services().LoadWindow(kTestWindowId);
  binding_.calls.clear();
  binding_.loop_code = 0;
  EXPECT_EQ(Services().RunMessageLoop(), 0);
  EXPECT_EQ(binding_.calls, std::vector<std::string>{"loop"});
}

TEST_F(ServicesTest, ClickReachesTheBoundHandlerOnly) {
  Load();
  DeliverEvent(kTestWindowId, kButtonId, 0);
  DeliverEvent(kTestWindowId, kButtonId, 1);     // no handler bound to event 1
  DeliverEvent(kTestWindowId, kFirstEditId, 0);  // none bound to the edit box
  EXPECT_EQ(Log(), std::vector<std::string>{"click"});
}

TEST_F(ServicesTest, EventsWhileLoadingAreDropped) {
  binding_.while_showing = [] { DeliverEvent(kTestWindowId, kButtonId, 0); };
  Services().PrepareProgram();
  Services().LoadWindow(kTestWindowId);
  EXPECT_TRUE(Log().empty());
}

void ClickThatClicksAgain() {
  Log().emplace_back("outer begins");
  if (Log().size() == 1) DeliverEvent(kTestWindowId, kButtonId, 0);
  Log().emplace_back("outer ends");
}

TEST_F(ServicesTest, HandlerIsNeverReentered) {
  program_.windows = {testing::TestWindow(ClickThatClicksAgain)};
  Load();
  DeliverEvent(kTestWindowId, kButtonId, 0);
  const std::vector<std::string> expected = {"outer begins", "outer ends", "outer begins",
                                             "outer ends"};
  EXPECT_EQ(Log(), expected);
}

void RecordExit() { Log().emplace_back("exit routine"); }

class LoggingBinding : public RecordingBinding {
 public:
  void Release() override { Log().emplace_back("release"); }
};

TEST_F(ServicesTest, EndCallsTheExitRoutineOnceThenReleases) {
  LoggingBinding logging;
  InstallPlatformBinding(&logging);
  Services().PrepareProgram();
  Services().RegisterExitRoutine(RecordExit);
  Services().LoadWindow(kTestWindowId);
  EXPECT_EQ(EndProgram(0), 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"exit routine", "release"}));
  EndProgram(0);
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "exit routine"), 1);
  InstallPlatformBinding(&binding_);
}

TEST_F(ServicesTest, PrepareProgramEntersTheProgramFolder) {
  ASSERT_EQ(chdir("/"), 0);
  Services().PrepareProgram();
  EXPECT_EQ(std::filesystem::current_path(),
            std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

TEST(RunTimeErrorText, IsTheBoxTextInGbk) {
  // 运行时出错! CR LF CR LF 错误信息：指定窗口尚未载入 CR LF
  EXPECT_EQ(RunTimeErrorText("\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB"),
            "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n"
            "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"
            "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB\r\n");
}

void* NoMemory(std::size_t) { return nullptr; }

// Each failure shows its box and ends the process with 255.
struct ErrorCase {
  const char* name;
  std::function<void(RecordingBinding&, ProgramDescription&)> action;
  std::string message_gbk;
};

std::vector<ErrorCase> ErrorCases() {
  const auto prepare_and_load = [] {
    Services().PrepareProgram();
    Services().LoadWindow(kTestWindowId);
  };
  return {
      {"no description",
       [](RecordingBinding&, ProgramDescription&) {
         SetProgramDescription(nullptr);
         Services().PrepareProgram();
       },
       "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!"},
      {"description with a repeated identifier",
       [](RecordingBinding&, ProgramDescription& program) {
         program.windows[0].controls[1].id = kLabelId;
         Services().PrepareProgram();
       },
       "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!"},
      {"setting of the wrong type",
       [](RecordingBinding&, ProgramDescription& program) {
         program.windows[0].controls[0].settings.push_back({8, 5});  // a label's text is a text
         Services().PrepareProgram();
       },
       "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!"},
      {"no such window",
       [](RecordingBinding&, ProgramDescription&) {
         Services().PrepareProgram();
         Services().LoadWindow(0x52010002);
       },
       "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC"},
      {"window creation fails",
       [prepare_and_load](RecordingBinding& binding, ProgramDescription&) {
         binding.window_fails = true;
         prepare_and_load();
       },
       "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC"},
      {"property of a window not loaded",
       [](RecordingBinding&, ProgramDescription&) {
         Services().PrepareProgram();
         Services().ReadProperty(kTestWindowId, kFirstEditId, 8, kWholeValue);
       },
       "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9"
       "\xD4\xDA\xB5\xC4\xB4\xB0\xBF\xDA"},
      {"kind property of a destroyed window",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         WindowDestroyed(kTestWindowId);
         Services().WriteProperty(kTestWindowId, kFirstEditId, 8, kWholeValue, 0, 0);
       },
       "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB"},
      {"event of a window not loaded",
       [](RecordingBinding&, ProgramDescription&) {
         Services().PrepareProgram();
         DeliverEvent(kTestWindowId, kButtonId, 0);
       },
       "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA"},
      {"event of a control not in the description",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         DeliverEvent(kTestWindowId, 0x16019999, 0);
       },
       "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9"
       "\xBC\xFE"},
      {"event of a label",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         DeliverEvent(kTestWindowId, kLabelId, 0);
       },
       "\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCE\xDE\xD0\xA7"},
      {"no memory for a text",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         SwapAllocator(NoMemory);
         Services().ReadProperty(kTestWindowId, kLabelId, 8, kWholeValue);  // "A&B" and NUL
       },
       "\xB7\xD6\xC5\xE4 4 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!"},  // 分配 4
                                                                                 // 字节内存失败!
      {"unknown control",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         Services().ReadProperty(kTestWindowId, 0x1601ABCD, 0, kWholeValue);
       },
       // 窗口中不存在欲访问的窗口组件 (0x1601ABCD)
       "\xB4\xB0\xBF\xDA\xD6\xD0\xB2\xBB\xB4\xE6\xD4\xDA\xD3\xFB\xB7\xC3\xCE\xCA\xB5\xC4\xB4\xB0"
       "\xBF\xDA\xD7\xE9\xBC\xFE (0x1601ABCD)"},
      {"property number the kind lacks",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         Services().ReadProperty(kTestWindowId, kButtonId, 14, kWholeValue);
       },
       "\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xC3\xBB\xD3\xD0\xB5\xDA 14 \xBA\xC5\xCA\xF4\xD0\xD4"},
      {"negative property number",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         Services().WriteProperty(kTestWindowId, kButtonId, -2, kWholeValue, 0, 0);
       },
       "\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xC3\xBB\xD3\xD0\xB5\xDA -2 \xBA\xC5\xCA\xF4\xD0\xD4"},
      {"member of a property that is no font",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         Services().ReadProperty(kTestWindowId, kComboId, 19, 0);
       },
       "\xCA\xF4\xD0\xD4\xC3\xBB\xD3\xD0\xB5\xDA 0 \xBA\xC5\xB3\xC9\xD4\xB1"},
      {"font member out of range",
       [prepare_and_load](RecordingBinding&, ProgramDescription&) {
         prepare_and_load();
         Services().WriteProperty(kTestWindowId, kLabelId, 15, 10, 1, 0);
       },
       "\xCA\xF4\xD0\xD4\xC3\xBB\xD3\xD0\xB5\xDA 10 \xBA\xC5\xB3\xC9\xD4\xB1"},
  };
}

TEST_F(ServicesTest, EveryFailureIsARunTimeErrorEndingWith255) {
  for (const ErrorCase& error : ErrorCases()) {
    SCOPED_TRACE(error.name);
    EXPECT_EXIT(
        {
          SwapErrorReporter(PrintBox);
          error.action(binding_, program_);
        },
        ::testing::ExitedWithCode(255), BoxPattern(error.message_gbk));
  }
}

}  // namespace
}  // namespace quorvel
