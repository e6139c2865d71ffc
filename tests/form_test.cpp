#include "frontend/form.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "frontend/example_library.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.ExamplesPath = dir_.path() / "examples.txt";
    form_.FormCreate();
  }
  int ItemOf(const std::string& caption) const {
    for (std::size_t i = 0; i < form_.RadioItems.size(); ++i)
      if (form_.RadioItems[i] == caption) return static_cast<int>(i);
    return -1;
  }
  TempDir dir_;
  TForm1 form_;
};

TEST_F(FormTest, StartsWithTheInitialInputAndNothingComputed) {
  EXPECT_EQ(form_.Memo1.Lines(), (StringList{"a b c", "b d e z", "c f g h i"}));
  EXPECT_EQ(form_.Edit1, "100");
  EXPECT_EQ(form_.Depth, 100);
  EXPECT_TRUE(form_.ShowTrace);
  EXPECT_EQ(form_.RadioItems.size(), 34u);
  EXPECT_EQ(form_.RadioItemIndex, -1);
  EXPECT_TRUE(form_.Theory.Args.empty());
  for (const TextArea* area : {&form_.Memo2, &form_.Memo3, &form_.Memo4, &form_.Memo5})
    EXPECT_EQ(area->Count(), 0);
}

TEST_F(FormTest, ChoosingAnExampleLoadsItsLinesAndRunsAtOnce) {
  form_.ChooseRadioItem(ItemOf("Even cycle"));
  EXPECT_EQ(form_.Memo1.Lines(), StringList{"a b, b a"});
  EXPECT_EQ(form_.Memo5.Get(6), "  b (a)");
  EXPECT_EQ(form_.Memo5.Get(7), "  a (b)");
  EXPECT_EQ(form_.Focus, Control::kButton1);
}

TEST_F(FormTest, ChoosingTheChosenItemAgainDoesNothing) {
  const int item = ItemOf("Self-defeat");
  form_.ChooseRadioItem(item);
  form_.Memo1.SetText("x y");
  form_.Memo5.Clear();
  form_.ChooseRadioItem(item);
  EXPECT_EQ(form_.Memo1.Lines(), StringList{"x y"});
  EXPECT_EQ(form_.Memo5.Count(), 0);
  form_.ChooseRadioItem(-1);
  form_.ChooseRadioItem(99);
  EXPECT_EQ(form_.RadioItemIndex, item);
}

TEST_F(FormTest, EnterInTheDepthBoxAppliesTheDepthWithoutARun) {
  form_.Focus = Control::kEdit1;
  form_.Edit1 = "25";
  form_.Edit1KeyDown('2');
  EXPECT_EQ(form_.Depth, 100);
  form_.Edit1KeyDown(kEnterKey);
  EXPECT_EQ(form_.Depth, 25);
  EXPECT_EQ(form_.Focus, Control::kButton1);
  EXPECT_EQ(form_.Memo5.Count(), 0);
}

TEST_F(FormTest, EveryRunFirstAppliesTheDepthText) {
  form_.Edit1 = "1";
  form_.ChooseRadioItem(ItemOf("Single link (AB)"));
  EXPECT_EQ(form_.Depth, 1);
  form_.Edit1 = "oops";
  form_.Button1Click();
  EXPECT_EQ(form_.Depth, 1);
  EXPECT_EQ(form_.Edit1, "1");
}

TEST_F(FormTest, TheCheckBoxFlipsTheTrace) {
  form_.CheckBox1Click();
  EXPECT_FALSE(form_.ShowTrace);
  form_.Button1Click();
  EXPECT_EQ(form_.Memo3.Get(0), "3:");
  form_.CheckBox1Click();
  EXPECT_TRUE(form_.ShowTrace);
}

TEST_F(FormTest, ACaptionWithNoLinesRunsOnAnEmptyInput) {
  TForm1 form;
  form.ExamplesPath = dir_.path() / "other.txt";
  std::ofstream(form.ExamplesPath, std::ios::binary) << "#Lonely\n#Next\nq r\n";
  form.FormCreate();
  form.ChooseRadioItem(0);
  EXPECT_EQ(form.Memo1.Count(), 0);
  EXPECT_EQ(form.Memo5.Get(1), "  <empty>");
}

TEST_F(FormTest, ReplacingTheInputRunsAndLetsTheChosenExampleBeChosenAgain) {
  const int item = ItemOf("Even cycle");
  form_.ChooseRadioItem(item);
  form_.ReplaceInput({"p q", "q"});
  EXPECT_EQ(form_.Memo1.Lines(), (StringList{"p q", "q"}));
  EXPECT_EQ(form_.RadioItemIndex, -1);
  EXPECT_EQ(form_.Memo5.Get(1), "  q (p)");
  form_.ChooseRadioItem(item);
  EXPECT_EQ(form_.Memo1.Lines(), StringList{"a b, b a"});
  form_.ReplaceInput({});
  EXPECT_EQ(form_.Memo1.Count(), 0);
  EXPECT_EQ(form_.Memo5.Get(1), "  <empty>");
}

}  // namespace
}  // namespace dialectic
