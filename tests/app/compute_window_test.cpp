// The calculation through the real window on Qt's offscreen platform: operands typed into the
// edit boxes, the operator chosen with the keyboard, the button clicked, the result read from
// 编辑框3.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/floating_point_environment.h"
#include "app/main_window.h"
#include "ui/qt_platform.h"
#include "ui/value_memory.h"
#include "ui/window_layer.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

QtPlatform* platform = nullptr;

// MainWindow loaded as start-up loads it, with the floating-point environment start-up sets;
// the layer is ended in order afterwards.
class ComputeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramDescription(&MainProgramDescription());
    Services().PrepareProgram();
    ResetFloatingPointEnvironment();
    Services().LoadWindow(kMainWindowId);
    window_ = platform->binding().Window(kMainWindowId);
    ASSERT_NE(window_, nullptr);
    box1_ = qobject_cast<QLineEdit*>(window_->Control(kEditBox1Id));
    box2_ = qobject_cast<QLineEdit*>(window_->Control(kEditBox2Id));
    box3_ = qobject_cast<QLineEdit*>(window_->Control(kEditBox3Id));
    operators_ = qobject_cast<QComboBox*>(window_->Control(kComboBox1Id));
    button_ = qobject_cast<QAbstractButton*>(window_->Control(kButton1Id));
    ASSERT_TRUE(box1_ && box2_ && box3_ && operators_ && button_);
    baseline_ = OutstandingValues();
  }

  void TearDown() override {
    if (window_ != nullptr) window_->close();
    EndProgram(0);
  }

  // Replaces a box's text by typing, as a person would after selecting all of it.
  static void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar character : text) {
      if (character.unicode() < 0x80) {
        QTest::keyClick(box, character.toLatin1());
      } else {
        // A character beyond ASCII arrives as a key press carrying its text.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(box, &press);
      }
    }
    ASSERT_EQ(box->text(), text);
  }

  // Picks the operator with the keyboard: Home for "+", then Down to the wanted item.
  void ChooseOperator(int index) {
    operators_->setFocus();
    QTest::keyClick(operators_, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(operators_, Qt::Key_Down);
    ASSERT_EQ(operators_->currentIndex(), index);
  }

  QPointer<LayerWindow> window_;
  QLineEdit* box1_ = nullptr;
  QLineEdit* box2_ = nullptr;
  QLineEdit* box3_ = nullptr;
  QComboBox* operators_ = nullptr;
  QAbstractButton* button_ = nullptr;
  std::size_t baseline_ = 0;
};

TEST_F(ComputeWindowTest, ShowsTheResultOfEachCalculation) {
  struct Case {
    const char* first;  // UTF-8, as typed
    int operator_index;
    const char* second;
    const char* shown;
  };
  const std::vector<Case> cases = {
      {"2", 3, "3", "0.6666666666667"},
      {"1", 3, "0", "1.#INF"},
      {"-1", 3, "0", "-1.#INF"},
      {"1", 3, "-0", "-1.#INF"},
      {"0", 3, "0", "-1.#IND"},
      {"1e308", 2, "10", "1.#INF"},
      {"", 0, "", "0"},
      {"abc", 1, "5", "-5"},
      {"１２．５", 2, "２", "25"},  // full-width digits and point
      {"0.1", 0, "0.2", "0.3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " #" + std::to_string(c.operator_index) + " " + c.second);
    Type(box1_, QString::fromUtf8(c.first));
    ChooseOperator(c.operator_index);
    Type(box2_, QString::fromUtf8(c.second));
    QTest::mouseClick(button_, Qt::LeftButton);
    EXPECT_EQ(box3_->text().toStdString(), c.shown);
    EXPECT_EQ(OutstandingValues(), baseline_);
  }
}

TEST_F(ComputeWindowTest, TypingIntoTheResultBoxChangesNoCalculation) {
  Type(box1_, "4");
  Type(box2_, "5");
  Type(box3_, "100");
  QTest::mouseClick(button_, Qt::LeftButton);
  EXPECT_EQ(box3_->text(), "9");
  Type(box2_, "6");
  QTest::keyClick(button_, Qt::Key_Space);  // the keyboard press of the focused button
  EXPECT_EQ(box3_->text(), "10");
}

// Records each call the handler makes, then passes it on to the real services.
std::vector<std::string>* recorded = nullptr;
WindowServices real_services{};

PropertyWord RecordRead(std::uint32_t window_id, std::uint32_t control_id, std::int32_t property,
                        std::int32_t member) {
  recorded->push_back(control_id == kComboBox1Id ? "selection" : "read");
  return real_services.ReadProperty(window_id, control_id, property, member);
}

void RecordWrite(std::uint32_t window_id, std::uint32_t control_id, std::int32_t property,
                 std::int32_t member, PropertyWord value, std::uint32_t high_word) {
  recorded->push_back(std::string("write ") + reinterpret_cast<const char*>(value));
  real_services.WriteProperty(window_id, control_id, property, member, value, high_word);
}

void PostClick(QWidget* widget) {
  const QPointF centre = QRectF(widget->rect()).center();
  const QPointF global = widget->mapToGlobal(centre);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QCoreApplication::postEvent(
        widget, new QMouseEvent(type, centre, global, Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
  }
}

void PostKey(QWidget* widget, Qt::Key key, const QString& text = {}) {
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

TEST_F(ComputeWindowTest, ClicksQueuedBeforeTheLoopRunsAreHandledInOrderEachToTheEnd) {
  Type(box1_, "1");
  box2_->setFocus();
  // Three clicks with typing into 编辑框2 between them, then Esc, all queued before the
  // message loop runs.
  PostClick(button_);
  PostKey(box2_, Qt::Key_2, "2");
  PostClick(button_);
  PostKey(box2_, Qt::Key_0, "0");
  PostClick(button_);
  PostKey(window_, Qt::Key_Escape);

  std::vector<std::string> calls;
  recorded = &calls;
  real_services = Services();
  Services().ReadProperty = &RecordRead;
  Services().WriteProperty = &RecordWrite;
  const int code = Services().RunMessageLoop();
  Services() = real_services;
  recorded = nullptr;

  EXPECT_EQ(code, 0);
  const std::vector<std::string> each = {"selection", "read", "read"};
  std::vector<std::string> expected;
  for (const char* shown : {"1", "3", "21"}) {
    expected.insert(expected.end(), each.begin(), each.end());
    expected.push_back(std::string("write ") + shown);
  }
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(OutstandingValues(), baseline_);
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  quorvel::QtPlatform qt(argc, argv);
  quorvel::platform = &qt;
  return RUN_ALL_TESTS();
}
