// The Qt binding with a test window: creation rules that MainWindow's own values do not
// reach, and the run-time error box.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/qt_test_support.h"
#include "tests/ui/test_description.h"
#include "ui/qt_controls.h"
#include "ui/qt_error_box.h"
#include "ui/qt_fonts.h"
#include "ui/run_time_error.h"
#include "ui/window_layer.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

using testing::ControlWidget;
using testing::kButtonId;
using testing::kComboId;
using testing::kFirstEditId;
using testing::kLabelId;
using testing::kSecondEditId;
using testing::kTestWindowId;

ControlDescription& Find(WindowDescription& window, std::uint32_t id) {
  for (ControlDescription& control : window.controls) {
    if (control.id == id) return control;
  }
  throw std::out_of_range("no such control");
}

class QtBindingTest : public ::testing::Test {
 protected:
  void TearDown() override { EndProgram(0); }

  void Load() {
    SetProgramDescription(&program_);
    Services().PrepareProgram();
    Services().LoadWindow(kTestWindowId);
  }

  static QWidget* Control(std::uint32_t id) { return ControlWidget(kTestWindowId, id); }

  ProgramDescription program_{{testing::TestWindow(nullptr)}, {}};
  WindowDescription& window_ = program_.windows[0];
};

TEST_F(QtBindingTest, EditBoxIsNeverLowerThanItsTextAndEdges) {
  Find(window_, kFirstEditId).height = 5;
  Load();
  const QWidget* box = Control(kFirstEditId);
  EXPECT_EQ(box->height(), MinimumEditHeight(box->font()));
  EXPECT_GT(box->height(), 5);
  EXPECT_EQ(Control(kSecondEditId)->height(), 30) << "a stored height above the rule stays";
  EXPECT_TRUE(static_cast<QLineEdit*>(Control(kSecondEditId))->hasFrame());
}

TEST_F(QtBindingTest, ComboSelectionIsClampedWhenCreated) {
  struct Case {
    std::int32_t stored;
    int shown;
  };
  for (const Case c :
       {Case{0, 0}, Case{3, 3}, Case{4, 3}, Case{99, 3}, Case{-1, -1}, Case{-5, -1}}) {
    EndProgram(0);
    program_.windows = {testing::TestWindow(nullptr)};
    for (PropertySetting& setting : Find(program_.windows[0], kComboId).settings) {
      if (setting.number == 19) std::get<std::int32_t>(setting.value) = c.stored;
    }
    Load();
    EXPECT_EQ(static_cast<QComboBox*>(Control(kComboId))->currentIndex(), c.shown) << c.stored;
  }
}

TEST_F(QtBindingTest, ComboListLinesAreOnePixelHigherThanTheFont) {
  Load();
  auto* box = static_cast<QComboBox*>(Control(kComboId));
  QStyleOptionViewItem option;
  option.initFrom(box->view());
  option.font = box->font();
  const QSize line = box->itemDelegate()->sizeHint(option, box->model()->index(0, 0));
  EXPECT_EQ(line.height(), QFontMetrics(box->font()).height() + 1);
  EXPECT_FALSE(box->isEditable());
  // The closed box is as high as its font needs, not the stored 20 or the open 160.
  EXPECT_EQ(box->height(), box->sizeHint().height());
  EXPECT_GE(box->maxVisibleItems(), 4) << "the four items fit the open list";
}

// Rows of the image that hold a dark text pixel, counted as separate bands.
int TextBands(const QImage& image) {
  int bands = 0;
  bool in_band = false;
  for (int y = 0; y < image.height(); ++y) {
    bool dark = false;
    for (int x = 4; x < image.width() - 4; ++x) dark = dark || qGray(image.pixel(x, y)) < 80;
    if (dark && !in_band) ++bands;
    in_band = dark;
  }
  return bands;
}

TEST_F(QtBindingTest, ButtonCaptionWrapsWhenItDoesNotFit) {
  ControlDescription& button = Find(window_, kButtonId);
  button.width = 44;
  button.height = 60;
  // 计算计算计算
  button.settings = {{10, std::string("\xBC\xC6\xCB\xE3\xBC\xC6\xCB\xE3\xBC\xC6\xCB\xE3")}};
  Load();
  EXPECT_GE(TextBands(Control(kButtonId)->grab().toImage()), 2);
  Services().WriteProperty(kTestWindowId, kButtonId, 10, kWholeValue,
                           reinterpret_cast<PropertyWord>("\xBC\xC6\xCB\xE3"), 0);
  EXPECT_EQ(TextBands(Control(kButtonId)->grab().toImage()), 1);
}

TEST_F(QtBindingTest, LabelShowsAmpersandAsItIs) {
  Load();
  const auto* label = static_cast<const LabelWidget*>(Control(kLabelId));
  EXPECT_EQ(label->Text(), QStringLiteral("A&B"));
  EXPECT_FALSE(label->TextFlags() & Qt::TextShowMnemonic);
  EXPECT_TRUE(label->TextFlags() & Qt::TextSingleLine);
  EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
}

TEST(QtFonts, SongFaceFallsBackToAnInstalledChineseFamily) {
  const QString family = ChineseFamily();
  EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
  Font song;
  song.face_gbk = "\xCB\xCE\xCC\xE5";  // 宋体
  song.height = 35;
  song.weight = 700;
  const QFont made = MakeFont(song);
  EXPECT_EQ(made.family(), family);
  EXPECT_EQ(made.pixelSize(), 35);
  EXPECT_EQ(made.weight(), QFont::Bold);
  EXPECT_TRUE(QFontMetrics(made).inFontUcs4(0x8BA1));  // 计
  EXPECT_EQ(DefaultGuiFont().pixelSize(), 12);
}

TEST(QtErrorBox, IsModalTitledWithTheErrorIconAndTheText) {
  const auto box = MakeRunTimeErrorBox(RunTimeErrorText("\xD6\xB8\xB6\xA8"));  // 指定
  EXPECT_EQ(box->windowTitle(), QString::fromUtf8("错误"));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->text(), QString::fromUtf8("运行时出错!\n\n错误信息：指定\n"));
  EXPECT_EQ(box->parentWidget(), nullptr);
  EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
}

// The box the binding installs is shown and, once closed, the process ends with 255.
TEST(QtErrorBox, ShownThenTheProcessEndsWith255) {
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, [] {
          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          std::fprintf(stderr, "box shown: %s\n",
                       box != nullptr ? box->text().toStdString().c_str() : "none");
          std::fflush(stderr);
          if (box != nullptr) box->accept();
        });
        Services().ReadProperty(0x52019999, 1, 0, kWholeValue);
      },
      ::testing::ExitedWithCode(255),
      "box shown: 运行时出错!\n\n错误信息：未载入欲访问窗口组件所在的窗口\n");
}

}  // namespace
}  // namespace quorvel
