#include "app/main_window.h"

#include "app/compute_clicked.h"
#include "app/control_ids.h"
#include "app/default_icon.h"

namespace quorvel {
namespace {

constexpr std::int32_t kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kWhite = Rgb(0xFF, 0xFF, 0xFF);
constexpr std::int32_t kGrey = Rgb(0x80, 0x80, 0x80);
constexpr std::int32_t kPink = Rgb(0xFF, 0xA8, 0xFF);  // the window's background, #FFA8FF

// 宋体 with character set 134 (GB2312) as the labels' records hold it.
Font SongFont(std::int32_t height, std::int32_t weight) {
  Font font;
  font.face_gbk = "\xCB\xCE\xCC\xE5";  // 宋体
  font.height = height;
  font.weight = weight;
  font.char_set = 134;
  return font;
}

ControlDescription Window() {
  ControlDescription window;
  window.kind = ControlKind::kWindow;
  window.id = kMainWindowId;
  window.name_gbk = "MainWindow";
  window.left = 50;
  window.top = 50;
  window.width = 380;
  window.height = 250;
  window.settings = {
      {8, std::string("Quorvel")},  // title
      {9, 2},                       // border style: fixed dialog frame
      {10, kPink},                  // background colour
      {11, Bytes()},                // background picture: none
      {12, 1},                      // picture placement
      {13, Bytes()},                // background music: none
      {14, 0},                      // music repeat
      {15, 1},                      // control box
      {16, 0},                      // maximise button
      {17, 0},                      // minimise button
      {18, 1},                      // start position: centred
      {19, 1},                      // movable
      {20, Bytes()},                // icon: none, so DEFAULT_ICON
      {21, 0},                      // Enter moves the focus
      {22, 1},                      // Esc closes the window
      {23, 0},                      // F1 opens help
      {24, std::string()},          // help file
      {25, 0},                      // help topic number
      {26, 1},                      // shown in the taskbar
      {27, 0},                      // dragged by any point
      {28, 0},                      // shape: rectangle
      {29, 0},                      // always on top
      {30, 0},                      // title bar stays active
      {31, std::string()},          // platform class name
  };
  return window;
}

std::vector<PropertySetting> LabelSettings(std::string text_gbk, const Font& font,
                                           std::int32_t text_colour) {
  return {
      {8, std::move(text_gbk)},         // text
      {9, 0},                           // text effect: none
      {10, 0},                          // border: none
      {11, 8},                          // gradient frame width
      {12, kGrey},                      // gradient frame colours
      {13, kWhite},                     //
      {14, kGrey},                      //
      {15, std::optional<Font>(font)},  // font
      {16, text_colour},                // text colour
      {17, kPink},                      // background colour: the window's
      {18, Bytes()},                    // background picture: none
      {19, 1},                          // picture placement
      {20, 0},                          // gradient background: none
      {21, kGrey},                      // gradient background colours
      {22, kWhite},                     //
      {23, kGrey},                      //
      {24, 0},                          // horizontal alignment: left
      {25, 0},                          // word wrap: off
      {26, 1},                          // vertical alignment: centred
      {27, std::string()},              // data source
      {28, std::string()},              // data column
  };
}

WindowDescription Describe() {
  WindowDescription description;
  description.window = Window();

  // 标签2: the maker's credit line, 作者：林晓舟 电话：5550123 QQ：5550456
  ControlDescription label2 = MakeControl(ControlKind::kLabel, kLabel2Id,
                                          "\xB1\xEA\xC7\xA9"
                                          "2",
                                          31, 185, 328, 24, false);
  label2.settings = LabelSettings(
      "\xD7\xF7\xD5\xDF\xA3\xBA\xC1\xD6\xCF\xFE\xD6\xDB \xB5\xE7\xBB\xB0\xA3\xBA"
      "5550123 QQ\xA3\xBA"
      "5550456",
      SongFont(16, 400), Rgb(0x00, 0x88, 0xFF));

  // 组合框1: the operator
  ControlDescription combo1 = MakeControl(ControlKind::kComboBox, kComboBox1Id,
                                          "\xD7\xE9\xBA\xCF\xBF\xF2"
                                          "1",
                                          130, 53, 40, 20, true);
  combo1.settings = {
      {8, 2},                              // type: drop-down list
      {9, std::string()},                  // content
      {10, 0},                             // maximum length
      {11, 0},                             // text selection start
      {12, 0},                             // text selection length
      {14, 0},                             // sorted: off
      {15, 1},                             // line spacing
      {16, kBlack},                        // text colour
      {17, kWhite},                        // background colour
      {18, std::optional<Font>()},         // font: the default GUI font
      {19, 0},                             // current selection: "+"
      {20, TextList{"+", "-", "*", "/"}},  // items
      {21, Bytes()},                       // item numbers: none
      {22, std::string()},                 // data source
      {23, std::string()},                 // data column
      {24, 0},                             // data-binding option
  };

  // 按钮1: "计算", bound to the calculation
  ControlDescription button1 = MakeControl(ControlKind::kButton, kButton1Id,
                                           "\xB0\xB4\xC5\xA5"
                                           "1",
                                           186, 120, 80, 32, true);
  button1.events = {{0, ComputeClicked}};
  button1.settings = {
      {8, Bytes()},                           // picture: none
      {9, 0},                                 // type: ordinary
      {10, std::string("\xBC\xC6\xCB\xE3")},  // caption: 计算
      {11, 1},                                // horizontal alignment: centred
      {12, 1},                                // vertical alignment: centred
      {13, std::optional<Font>()},            // font: the default GUI font
  };

  // 标签1: "="
  ControlDescription label1 = MakeControl(ControlKind::kLabel, kLabel1Id,
                                          "\xB1\xEA\xC7\xA9"
                                          "1",
                                          37, 87, 80, 24, false);
  label1.settings = LabelSettings("=", SongFont(35, 700), Rgb(0x00, 0x00, 0x80));

  // The three edit boxes take every default of their kind.
  description.controls = {
      std::move(label2),
      std::move(combo1),
      std::move(button1),
      std::move(label1),
      MakeControl(ControlKind::kEditBox, kEditBox3Id,
                  "\xB1\xE0\xBC\xAD\xBF\xF2"
                  "3",
                  32, 120, 120, 28, true),
      MakeControl(ControlKind::kEditBox, kEditBox2Id,
                  "\xB1\xE0\xBC\xAD\xBF\xF2"
                  "2",
                  184, 49, 80, 31, true),
      MakeControl(ControlKind::kEditBox, kEditBox1Id,
                  "\xB1\xE0\xBC\xAD\xBF\xF2"
                  "1",
                  32, 48, 80, 32, true),
  };
  return description;
}

}  // namespace

const WindowDescription& MainWindowDescription() { return MainProgramDescription().windows[0]; }

const ProgramDescription& MainProgramDescription() {
  static const ProgramDescription program{
      .windows = {Describe()},
      .default_icon_xpm = {kDefaultIcon16, kDefaultIcon32, kDefaultIcon48},
  };
  return program;
}

}  // namespace quorvel
