#include "app/compute_clicked.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "ui/value_memory.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

// Stands in for the window: the property operations of the services table are replaced by
// recording fakes that serve the operand boxes' texts from the value memory, so the order of
// the calls and every text handed out and released can be checked.
class ComputeClickedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Services();
    current_ = this;
    baseline_ = OutstandingValues();
    Services().ReadProperty = &FakeReadProperty;
    Services().WriteProperty = &FakeWriteProperty;
    Services().ReleaseValue = &FakeReleaseValue;
  }

  void TearDown() override {
    Services() = saved_;
    current_ = nullptr;
  }

  // One click, after which every text has been released.
  void Click() {
    calls_.clear();
    ComputeClicked();
    EXPECT_EQ(OutstandingValues(), baseline_) << "a text was not released";
    EXPECT_LE(most_held_, 1U) << "more than one text held at a time";
  }

  // The selection reads give these values in turn, the last one from then on.
  std::vector<PropertyWord> selections_ = {0};
  std::size_t selection_reads_ = 0;
  std::string box1_;
  std::string box2_;
  std::optional<std::string> box3_;  // nullopt: never written
  std::vector<std::string> calls_;
  std::size_t most_held_ = 0;

 private:
  static void NoteTextsHeld() {
    current_->most_held_ =
        std::max(current_->most_held_, OutstandingValues() - current_->baseline_);
  }

  static PropertyWord FakeReadProperty(std::uint32_t window_id, std::uint32_t control_id,
                                       std::int32_t property, std::int32_t member) {
    ComputeClickedTest& test = *current_;
    EXPECT_EQ(window_id, kMainWindowId);
    EXPECT_EQ(member, kWholeValue);
    if (control_id == kComboBox1Id && property == kComboBoxSelection) {
      test.calls_.emplace_back("selection");
      const std::size_t index = std::min(test.selection_reads_++, test.selections_.size() - 1);
      return test.selections_[index];
    }
    const std::string* box = nullptr;
    if (control_id == kEditBox1Id) box = &test.box1_;
    if (control_id == kEditBox2Id) box = &test.box2_;
    if (box == nullptr || property != kEditBoxContent) {
      ADD_FAILURE() << "unexpected read of control " << std::hex << control_id << " property "
                    << std::dec << property;
      return 0;
    }
    test.calls_.emplace_back(box == &test.box1_ ? "read 1" : "read 2");
    // An empty box hands out no text.
    if (box->empty()) return 0;
    const TextValue text = CopyToValue(*box);
    NoteTextsHeld();
    return reinterpret_cast<PropertyWord>(text);
  }

  static void FakeWriteProperty(std::uint32_t window_id, std::uint32_t control_id,
                                std::int32_t property, std::int32_t member, PropertyWord value,
                                std::uint32_t high_word) {
    ComputeClickedTest& test = *current_;
    EXPECT_EQ(window_id, kMainWindowId);
    EXPECT_EQ(control_id, kEditBox3Id);
    EXPECT_EQ(property, kEditBoxContent);
    EXPECT_EQ(member, kWholeValue);
    EXPECT_EQ(high_word, 0U);
    NoteTextsHeld();
    const auto* text = reinterpret_cast<const char*>(value);
    test.box3_ = text != nullptr ? text : "";
    test.calls_.push_back("write " + *test.box3_);
  }

  static void FakeReleaseValue(const void* value) {
    current_->calls_.emplace_back("release");
    ReleaseValue(value);
  }

  static ComputeClickedTest* current_;
  WindowServices saved_{};
  std::size_t baseline_ = 0;
};

ComputeClickedTest* ComputeClickedTest::current_ = nullptr;

using Calls = std::vector<std::string>;

TEST_F(ComputeClickedTest, ReadsTheSelectionOnceMoreForEachLaterOperator) {
  struct Case {
    PropertyWord selection;
    int selection_reads;
    const char* shown;
  };
  const auto cases =
      std::to_array<Case>({{0, 1, "5"}, {1, 2, "-1"}, {2, 3, "6"}, {3, 4, "0.6666666666667"}});
  box1_ = "2";
  box2_ = "3";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selection);
    selections_ = {c.selection};
    Click();
    Calls expected(static_cast<std::size_t>(c.selection_reads), "selection");
    expected.insert(expected.end(), {"read 1", "release", "read 2", "release",
                                     std::string("write ") + c.shown, "release"});
    EXPECT_EQ(calls_, expected);
  }
}

TEST_F(ComputeClickedTest, SelectionOutsideTheOperatorsReadsNoOperandAndWritesNothing) {
  box1_ = "2";
  box2_ = "3";
  for (const PropertyWord selection : {PropertyWord{-1}, PropertyWord{4}, PropertyWord{256}}) {
    SCOPED_TRACE(selection);
    selections_ = {selection};
    Click();
    EXPECT_EQ(calls_, Calls(4, "selection"));
    EXPECT_FALSE(box3_.has_value());
  }
}

TEST_F(ComputeClickedTest, EachComparisonSeesTheSelectionAsReadForIt) {
  box1_ = "2";
  box2_ = "3";
  selections_ = {-1, 3, 2};  // the third read decides: multiplication
  Click();
  EXPECT_EQ(calls_, (Calls{"selection", "selection", "selection", "read 1", "release", "read 2",
                           "release", "write 6", "release"}));
}

TEST_F(ComputeClickedTest, EmptyBoxesHandOutNoTextAndCountAsZero) {
  Click();
  EXPECT_EQ(calls_, (Calls{"selection", "read 1", "read 2", "write 0", "release"}));
  box2_ = "7";
  Click();
  EXPECT_EQ(calls_, (Calls{"selection", "read 1", "read 2", "release", "write 7", "release"}));
}

// The table of results the window shows, through the real conversions and arithmetic.
TEST_F(ComputeClickedTest, ShowsTheResultOfTheChosenOperation) {
  struct Case {
    const char* first;
    PropertyWord selection;
    const char* second;
    const char* shown;
  };
  const auto cases = std::to_array<Case>({
      {"2", 3, "3", "0.6666666666667"},
      {"1", 3, "0", "1.#INF"},
      {"-1", 3, "0", "-1.#INF"},
      {"1", 3, "-0", "-1.#INF"},
      {"0", 3, "0", "-1.#IND"},
      {"1e308", 2, "10", "1.#INF"},
      {"", 0, "", "0"},
      {"abc", 1, "5", "-5"},
      {"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 0, "1", "13.5"},  // １２．５ in GBK
      {"0.1", 0, "0.2", "0.3"},
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " " + c.second);
    box1_ = c.first;
    box2_ = c.second;
    selections_ = {c.selection};
    selection_reads_ = 0;
    Click();
    EXPECT_EQ(box3_, c.shown);
  }
}

}  // namespace
}  // namespace quorvel
