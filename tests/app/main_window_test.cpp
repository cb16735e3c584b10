// MainWindow as the user meets it, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/start_program.h"
#include "tests/ui/qt_test_support.h"
#include "ui/qt_controls.h"
#include "ui/qt_fonts.h"
#include "ui/value_memory.h"
#include "ui/window_layer.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

using testing::ControlWidget;

int clicks = 0;
void CountClick() { ++clicks; }

// MainWindow as described, with the button's click counted instead of computed.
ProgramDescription CountingProgram() {
  ProgramDescription program = MainProgramDescription();
  for (ControlDescription& control : program.windows[0].controls) {
    if (control.id == kButton1Id) control.events = {{0, CountClick}};
  }
  return program;
}

// The focusable controls in the order Tab walks them.
const std::vector<std::uint32_t> kTabOrder = {kEditBox1Id, kEditBox2Id, kEditBox3Id, kButton1Id,
                                              kComboBox1Id};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    outstanding_ = OutstandingValues();
    clicks = 0;
    Load(program_);
  }

  void TearDown() override {
    EndProgram(0);
    EXPECT_EQ(OutstandingValues(), outstanding_) << "text values left unreleased";
  }

  void Load(const ProgramDescription& program) {
    EndProgram(0);
    SetProgramDescription(&program);
    Services().PrepareProgram();
    Services().LoadWindow(kMainWindowId);
    window_ = testing::TestPlatform().binding().Window(kMainWindowId);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }

  static QWidget* Control(std::uint32_t id) { return ControlWidget(kMainWindowId, id); }
  static QLineEdit* Edit(std::uint32_t id) { return static_cast<QLineEdit*>(Control(id)); }
  static QComboBox* Combo() { return static_cast<QComboBox*>(Control(kComboBox1Id)); }

  static std::optional<std::string> ReadText(std::uint32_t id, std::int32_t number) {
    const auto* value = reinterpret_cast<const char*>(
        Services().ReadProperty(kMainWindowId, id, number, kWholeValue));
    if (value == nullptr) return std::nullopt;
    std::string text(value);
    Services().ReleaseValue(value);
    return text;
  }

  static PropertyWord Read(std::uint32_t id, std::int32_t number) {
    return Services().ReadProperty(kMainWindowId, id, number, kWholeValue);
  }

  static void Write(std::uint32_t id, std::int32_t number, PropertyWord value) {
    Services().WriteProperty(kMainWindowId, id, number, kWholeValue, value, 0);
  }

  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }

  bool WindowAlive() const {
    const LoadedWindow* loaded = FindLoadedWindow(kMainWindowId);
    return loaded != nullptr && loaded->alive;
  }

  ProgramDescription program_ = CountingProgram();
  LayerWindow* window_ = nullptr;
  std::size_t outstanding_ = 0;
};

TEST_F(MainWindowTest, StartsEmptyWithPlusSelectedFocusInFirstBoxAndCentred) {
  for (const std::uint32_t box : {kEditBox1Id, kEditBox2Id, kEditBox3Id}) {
    EXPECT_EQ(ReadText(box, kEditBoxContent), std::nullopt);
    EXPECT_TRUE(Edit(box)->text().isEmpty());
  }
  EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), 0);
  EXPECT_EQ(Combo()->currentText(), QStringLiteral("+"));
  EXPECT_EQ(QApplication::focusWidget(), Control(kEditBox1Id));

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QRect outer = window_->frameGeometry();
  EXPECT_EQ(outer.size(), QSize(380, 250));
  EXPECT_EQ(outer.left(), screen.left() + (screen.width() - 380) / 2);
  EXPECT_EQ(outer.top(), screen.top() + (screen.height() - 250) / 2);
  EXPECT_NE(outer.topLeft(), QPoint(50, 50));
  EXPECT_EQ(Read(kMainWindowId, 2), 380);
  EXPECT_EQ(Read(kMainWindowId, 3), 250);
}

TEST_F(MainWindowTest, HasAFixedDialogFrameTitleAndOwnIcon) {
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Quorvel"));
  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(window_->windowType(), Qt::Window);  // its own taskbar entry
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "not resizable";
  const QList<QSize> sizes = window_->windowIcon().availableSizes();
  for (const int side : {16, 32, 48}) {
    EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
  }
  EXPECT_EQ(window_->palette().color(QPalette::Window), QColor(0xFF, 0xA8, 0xFF));
}

TEST_F(MainWindowTest, ControlsStandAtTheirPlacesInStackingOrder) {
  EXPECT_EQ(Control(kEditBox1Id)->geometry(), QRect(32, 48, 80, 32));
  EXPECT_EQ(Control(kEditBox2Id)->geometry(), QRect(184, 49, 80, 31));
  EXPECT_EQ(Control(kEditBox3Id)->geometry(), QRect(32, 120, 120, 28));
  EXPECT_EQ(Control(kButton1Id)->geometry(), QRect(186, 120, 80, 32));
  EXPECT_EQ(Control(kLabel1Id)->geometry(), QRect(37, 87, 80, 24));
  EXPECT_EQ(Control(kLabel2Id)->geometry(), QRect(31, 185, 328, 24));
  EXPECT_EQ(Combo()->geometry().topLeft(), QPoint(130, 53));
  EXPECT_EQ(Combo()->width(), 40);
  // Children stack bottom first: 编辑框1 at the bottom, 标签2 on top.
  QList<QWidget*> stacked;
  for (QObject* child : window_->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && !widget->isWindow()) {
      stacked.push_back(widget);
    }
  }
  ASSERT_EQ(stacked.size(), 7);
  EXPECT_EQ(stacked.front(), Control(kEditBox1Id));
  EXPECT_EQ(stacked.back(), Control(kLabel2Id));
  for (QWidget* widget : stacked) EXPECT_TRUE(widget->isVisible());
}

TEST_F(MainWindowTest, TabAndShiftTabCycleWithWrapping) {
  for (std::size_t i = 1; i <= kTabOrder.size() * 2; ++i) {
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Control(kTabOrder[i % kTabOrder.size()])) << i;
  }
  for (std::size_t i = 1; i <= kTabOrder.size() * 2; ++i) {
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    const std::size_t expected = (kTabOrder.size() * 2 - i) % kTabOrder.size();
    EXPECT_EQ(QApplication::focusWidget(), Control(kTabOrder[expected])) << i;
  }
  // Shift with Tab itself counts as Shift+Tab: from 编辑框1 back to 组合框1.
  Press(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), Control(kComboBox1Id));
}

TEST_F(MainWindowTest, TabSkipsAControlMadeInvisible) {
  Write(kEditBox2Id, kVisible, 0);
  EXPECT_FALSE(Control(kEditBox2Id)->isVisible());
  Press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Control(kEditBox3Id));
}

TEST_F(MainWindowTest, EscClosesTheWindowFromEveryFocusableControl) {
  for (const std::uint32_t id : kTabOrder) {
    SCOPED_TRACE(id);
    Load(program_);
    Control(id)->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), Control(id));
    Press(Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(WindowAlive()) << "Esc with Shift does not close";
    Press(Qt::Key_Escape);
    EXPECT_FALSE(WindowAlive());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(testing::TestPlatform().binding().Window(kMainWindowId), nullptr);
  }
}

TEST_F(MainWindowTest, EnterDoesNothingAtWindowLevel) {
  for (const std::uint32_t id : kTabOrder) {
    Control(id)->setFocus();
    Press(Qt::Key_Return);
    Press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), Control(id));
  }
  Press(Qt::Key_F1);
  EXPECT_EQ(clicks, 0) << "Enter never presses the button";
  EXPECT_TRUE(WindowAlive());
  EXPECT_EQ(ReadText(kEditBox3Id, kEditBoxContent), std::nullopt);
}

TEST_F(MainWindowTest, SpaceOrAMouseClickOnTheButtonRaisesItsClick) {
  Control(kButton1Id)->setFocus();
  Press(Qt::Key_Space);
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(Control(kButton1Id), Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  Control(kEditBox1Id)->setFocus();
  Press(Qt::Key_Space);
  EXPECT_EQ(clicks, 2) << "Space in an edit box is a space";
  EXPECT_EQ(ReadText(kEditBox1Id, kEditBoxContent), " ");
}

TEST_F(MainWindowTest, TypedTextReadsAsGbk) {
  QTest::keyClicks(Control(kEditBox1Id), "-1.5e3");
  EXPECT_EQ(ReadText(kEditBox1Id, kEditBoxContent), "-1.5e3");
  // Full-width digits come through the input method; QLineEdit::insert takes the same path.
  Edit(kEditBox2Id)->insert(QString::fromUtf8("\xEF\xBC\x91\xEF\xBC\x92"));  // １２
  EXPECT_EQ(ReadText(kEditBox2Id, kEditBoxContent), "\xA3\xB1\xA3\xB2");
  // A character GBK cannot hold reads as "?".
  Edit(kEditBox3Id)->insert(QString::fromUtf8("7\xED\x95\x9C"));  // 7한
  EXPECT_EQ(ReadText(kEditBox3Id, kEditBoxContent), "7?");
}

TEST_F(MainWindowTest, OperatorIsPickedButNeverTypedOrCleared) {
  EXPECT_FALSE(Combo()->isEditable());
  EXPECT_EQ(Combo()->count(), 4);
  Combo()->setFocus();
  Press(Qt::Key_Down);
  EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), 1);
  Press(Qt::Key_End);
  EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), 3);
  Press(Qt::Key_Down);
  EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), 3);
  QTest::keyClicks(Combo(), "+");  // picks the item starting with "+", never types
  EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), 0);
  Press(Qt::Key_Delete);
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), 0);
}

TEST_F(MainWindowTest, WritesTakeEffectOnTheLiveControls) {
  Write(kEditBox3Id, kEditBoxContent, reinterpret_cast<PropertyWord>("0.6666666666667"));
  EXPECT_EQ(Edit(kEditBox3Id)->text(), QStringLiteral("0.6666666666667"));
  EXPECT_EQ(Edit(kEditBox3Id)->cursorPosition(), 0);
  Write(kEditBox3Id, kEditBoxContent, 0);
  EXPECT_TRUE(Edit(kEditBox3Id)->text().isEmpty());

  struct SelectionCase {
    PropertyWord written;
    int shown;
  };
  for (const SelectionCase c : {SelectionCase{3, 3}, SelectionCase{9, 3}, SelectionCase{-1, -1},
                                SelectionCase{-7, -1}, SelectionCase{1, 1}}) {
    Write(kComboBox1Id, kComboBoxSelection, c.written);
    EXPECT_EQ(Combo()->currentIndex(), c.shown) << c.written;
    EXPECT_EQ(Read(kComboBox1Id, kComboBoxSelection), c.shown) << c.written;
  }

  Write(kComboBox1Id, 20, reinterpret_cast<PropertyWord>("x\r\ny"));
  EXPECT_EQ(Combo()->count(), 2);
  EXPECT_EQ(Combo()->currentIndex(), 1);  // the selection 1 still names an item

  Write(kButton1Id, 10, reinterpret_cast<PropertyWord>("\xB5\xC8\xD3\xDA"));  // 等于
  EXPECT_EQ(static_cast<QPushButton*>(Control(kButton1Id))->text(), QString::fromUtf8("等于"));

  Write(kMainWindowId, 8, reinterpret_cast<PropertyWord>("\xBC\xC6\xCB\xE3"));  // 计算
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("计算"));
  Write(kMainWindowId, 10, Rgb(1, 2, 3));
  EXPECT_EQ(window_->palette().color(QPalette::Window), QColor(1, 2, 3));

  Write(kEditBox1Id, 10, Rgb(0xFF, 0, 0));
  EXPECT_EQ(Edit(kEditBox1Id)->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
  Write(kEditBox1Id, kDisabled, 1);
  EXPECT_FALSE(Control(kEditBox1Id)->isEnabled());
  Write(kEditBox1Id, kLeft, 40);
  Write(kEditBox1Id, kWidth, 60);
  EXPECT_EQ(Control(kEditBox1Id)->geometry(), QRect(40, 48, 60, 32));
  Write(kEditBox1Id, kMousePointer, 2);
  EXPECT_EQ(Control(kEditBox1Id)->cursor().shape(), Qt::CrossCursor);

  Services().WriteProperty(kMainWindowId, kLabel1Id, 15, kFontHeight, 20, 0);
  EXPECT_EQ(Control(kLabel1Id)->font().pixelSize(), 20);
  Services().WriteProperty(kMainWindowId, kLabel1Id, 15, kFontWeight, 400, 0);
  EXPECT_EQ(Control(kLabel1Id)->font().weight(), QFont::Normal);

  Write(kMainWindowId, kLeft, -39);
  EXPECT_EQ(window_->frameGeometry().left(), -39);
  EXPECT_EQ(Read(kMainWindowId, kLeft), -39);
}

TEST_F(MainWindowTest, LabelsAreDrawnInTheirColoursAndCentred) {
  const QImage image = Control(kLabel1Id)->grab().toImage();
  const QColor pink(0xFF, 0xA8, 0xFF);
  EXPECT_EQ(image.pixelColor(0, 0), pink);
  EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), pink);
  // The "=" in navy: its rows lie around the label's middle.
  int first = -1;
  int last = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.blue() > 0x60 && colour.red() < 0x40 && colour.green() < 0x40) {
        if (first < 0) first = y;
        last = y;
      }
    }
  }
  ASSERT_GE(first, 0) << "no navy pixel: the sign is not drawn";
  EXPECT_LE(std::abs((first + last) - (image.height() - 1)), 4) << first << ".." << last;
}

// Every text the window shows has a glyph in the font it is shown in; a missing CJK font
// would show empty boxes.
TEST_F(MainWindowTest, EveryShownTextHasGlyphs) {
  const auto covered = [](const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    for (const uint code : text.toUcs4()) {
      if (code != ' ' && !metrics.inFontUcs4(code)) return false;
    }
    return true;
  };
  const auto* label1 = static_cast<const LabelWidget*>(Control(kLabel1Id));
  const auto* label2 = static_cast<const LabelWidget*>(Control(kLabel2Id));
  const auto* button = static_cast<const QPushButton*>(Control(kButton1Id));
  EXPECT_TRUE(covered(label1->font(), label1->Text()));
  EXPECT_TRUE(covered(label2->font(), label2->Text())) << label2->Text().toStdString();
  EXPECT_TRUE(covered(button->font(), button->text()));
  EXPECT_TRUE(covered(window_->font(), window_->windowTitle()));
  for (int i = 0; i < Combo()->count(); ++i) {
    EXPECT_TRUE(covered(Combo()->font(), Combo()->itemText(i)));
  }
  // The error box's own words.
  EXPECT_TRUE(
      covered(QApplication::font(), QString::fromUtf8("运行时出错!错误信息：载入启动窗口失败"
                                                      "分配字节内存失败")));
  // The credit line fits its label on one line, and the labels' fonts are what was asked.
  EXPECT_LE(QFontMetrics(label2->font()).horizontalAdvance(label2->Text()), 328);
  EXPECT_EQ(label1->font().pixelSize(), 35);
  EXPECT_EQ(label1->font().weight(), QFont::Bold);
  EXPECT_EQ(label2->font().pixelSize(), 16);
  EXPECT_EQ(label2->font().weight(), QFont::Normal);
}

TEST_F(MainWindowTest, FocusComesBackAfterDeactivation) {
  Control(kButton1Id)->setFocus();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  EXPECT_EQ(QApplication::focusWidget(), Control(kButton1Id));
}

// The whole program in a fresh process: StartProgram runs the loop, Esc closes the window,
// the end calls ExitRoutine once and the status is 0.
Routine registered_exit = nullptr;
int exit_routine_calls = 0;
void (*real_register)(Routine) = nullptr;

void CountedExit() {
  ++exit_routine_calls;
  registered_exit();
}

void RegisterCounted(Routine routine) {
  registered_exit = routine;
  real_register(CountedExit);
}

TEST(StartProgram, RunsUntilEscAndEndsWithStatusZero) {
  EXPECT_EXIT(
      {
        real_register = Services().RegisterExitRoutine;
        Services().RegisterExitRoutine = RegisterCounted;
        SetProgramDescription(&MainProgramDescription());
        QTimer::singleShot(50,
                           [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
        const int status = EndProgram(StartProgram());
        std::fprintf(stderr, "exit routine %s, called %d times",
                     registered_exit == ExitRoutine ? "ExitRoutine" : "other", exit_routine_calls);
        std::fflush(stderr);
        _exit(status);
      },
      ::testing::ExitedWithCode(0), "exit routine ExitRoutine, called 1 times");
}

}  // namespace
}  // namespace quorvel
