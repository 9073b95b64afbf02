// Reading numbers from a chooser on a real form: the warning, the default,
// the focus and the status the caller finds.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/funstat.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/formfields.h"
#include "testsupport.h"

using namespace test;

namespace {

const char* const kWarning =
    "Integer value outside limits.\nIt will be set to default.\n"
    "    * Minimum = 5\n    * Maximum = 30\n    * Default = 7";

// A form with a columns chooser that also offers values no game allows.
class ChooserTest : public ::testing::Test {
 protected:
  ChooserTest() : form_(TFormStyle{"TChooserTestForm", 300, 100}, "Chooser test") {
    std::vector<std::string> items;
    for (int value = 5; value <= 31; ++value) items.push_back(std::to_string(value));
    items.push_back("seven");
    items.push_back("-12");
    chooser_ = form_.Add<TComboBox>(10, 10, 80, 8, items);
    other_ = form_.Add<TButton>(120, 10, 75, 25, "Other");
    form_.Show();
    other_->SetFocus();
  }

  int32_t Read(const std::string& text) {
    if (text.empty())
      chooser_->SetItemIndex(-1);
    else
      EXPECT_TRUE(chooser_->SelectText(text)) << text;
    other_->SetFocus();
    return GetIntFromComboBox(chooser_, 5, 30, 7);
  }

  TForm form_;
  TComboBox* chooser_ = nullptr;
  TButton* other_ = nullptr;
};

}  // namespace

TEST_F(ChooserTest, AValueWithinTheLimitsIsReadAsItIs) {
  EXPECT_EQ(Read("12"), 12);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(Read("30"), 30);
  EXPECT_EQ(Read("5"), 5);
  EXPECT_TRUE(other_->Focused());
  EXPECT_EQ(FindProcessDialog("Warning"), nullptr);
}

TEST_F(ChooserTest, AValueOutsideTheLimitsWarnsAndFallsBackToTheDefault) {
  TDialogAnswerer box("Warning", IDOK);
  EXPECT_EQ(Read("31"), 7);
  EXPECT_TRUE(box.Answered());
  EXPECT_EQ(box.Text(), kWarning);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(chooser_->Text(), "7");
  EXPECT_TRUE(chooser_->Focused());
}

TEST_F(ChooserTest, TextThatIsNoNumberWarnsAndLeavesAnError) {
  TDialogAnswerer box("Warning", IDOK);
  EXPECT_EQ(Read("seven"), 7);
  EXPECT_TRUE(box.Answered());
  EXPECT_EQ(box.Text(), kWarning);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "GetIntFromComboBox");
  EXPECT_EQ(FunStatContext.Description.rfind("Unhandled exception: ", 0), 0u)
      << FunStatContext.Description;
  EXPECT_EQ(chooser_->Text(), "7");
  EXPECT_TRUE(chooser_->Focused());
}

TEST_F(ChooserTest, AnEmptyChooserGivesTheDefaultQuietly) {
  EXPECT_EQ(Read(""), 7);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_TRUE(other_->Focused());
}

TEST_F(ChooserTest, TheOneArgumentFormTakesAnyNumberAndZeroForEmpty) {
  chooser_->SelectText("-12");
  EXPECT_EQ(GetIntFromComboBox(chooser_), -12);
  chooser_->SelectText("31");
  EXPECT_EQ(GetIntFromComboBox(chooser_), 31);
  chooser_->SetItemIndex(-1);
  EXPECT_EQ(GetIntFromComboBox(chooser_), 0);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST_F(ChooserTest, FocusWindowControlMovesTheFocus) {
  ASSERT_TRUE(other_->Focused());
  FocusWindowControl(chooser_);
  EXPECT_TRUE(chooser_->Focused());
  FocusWindowControl(nullptr);
  EXPECT_TRUE(chooser_->Focused());
}
