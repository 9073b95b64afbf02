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

// A columns chooser that also offers values no game allows.
class ChooserTest : public ::testing::Test {
 protected:
  ChooserTest() : form_(TFormStyle{"TChooserTestForm", 300, 100}, "Chooser test") {
    std::vector<std::string> items{"seven", "-12"};
    for (int value = 5; value <= 31; ++value) items.push_back(std::to_string(value));
    chooser_ = form_.Add<TComboBox>(10, 10, 80, 8, items);
    other_ = form_.Add<TButton>(120, 10, 75, 25, "Other");
    form_.Show();
  }

  // Chooses the text (none when empty), with the focus elsewhere.
  void Choose(const std::string& text) {
    if (text.empty())
      chooser_->SetItemIndex(-1);
    else
      EXPECT_TRUE(chooser_->SelectText(text)) << text;
    other_->SetFocus();
  }

  // Reads the columns chooser, answering the warning; its text, or "" when
  // none came.
  std::string ReadColumns(int32_t expected) {
    TDialogAnswerer box("Warning", IDOK);
    EXPECT_EQ(GetIntFromComboBox(chooser_, 5, 30, 7), expected);
    return box.Text();
  }

  TForm form_;
  TComboBox* chooser_ = nullptr;
  TButton* other_ = nullptr;
};

const char* const kWarning =
    "Integer value outside limits.\nIt will be set to default.\n"
    "    * Minimum = 5\n    * Maximum = 30\n    * Default = 7";

}  // namespace

TEST_F(ChooserTest, ValuesWithinTheLimitsAndEmptyChoosersAreReadQuietly) {
  for (const char* text : {"12", "5", "30"}) {
    Choose(text);
    EXPECT_EQ(GetIntFromComboBox(chooser_, 5, 30, 7), std::stoi(text));
    EXPECT_EQ(FunStatContext.Status, fsPerfect);
  }
  Choose("");
  EXPECT_EQ(GetIntFromComboBox(chooser_, 5, 30, 7), 7);
  EXPECT_TRUE(other_->Focused());
  // The one-argument form takes any number, and 0 for nothing.
  EXPECT_EQ(GetIntFromComboBox(chooser_), 0);
  Choose("-12");
  EXPECT_EQ(GetIntFromComboBox(chooser_), -12);
}

TEST_F(ChooserTest, AValueOutsideTheLimitsWarnsAndFallsBackToTheDefault) {
  Choose("31");
  EXPECT_EQ(ReadColumns(7), kWarning);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(chooser_->Text(), "7");
  EXPECT_TRUE(chooser_->Focused());
}

TEST_F(ChooserTest, TextThatIsNoNumberWarnsAndLeavesAnError) {
  Choose("seven");
  EXPECT_EQ(ReadColumns(7), kWarning);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "GetIntFromComboBox");
  EXPECT_EQ(FunStatContext.Description.rfind("Unhandled exception: ", 0), 0u);
  EXPECT_EQ(chooser_->Text(), "7");
  EXPECT_TRUE(chooser_->Focused());
}

TEST_F(ChooserTest, FocusWindowControlMovesTheFocus) {
  other_->SetFocus();
  FocusWindowControl(chooser_);
  EXPECT_TRUE(chooser_->Focused());
  FocusWindowControl(nullptr);
  EXPECT_TRUE(chooser_->Focused());
}
