// The form layer's one paint path: a control of our own class paints the
// part that needs it; a painting that fails is reported as an unhandled
// error, and the control paints again at the next repaint.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/form.h"

namespace {

class TPaintProbe : public TControl {
 public:
  explicit TPaintProbe(TControl* parent)
      : TControl(parent, TControlStyle{RegisterControlClass("TPaintProbe", 0, nullptr), WS_VISIBLE},
                 "", 10, 10, 100, 50) {}
  std::vector<RECT> Painted;
  bool Fails = false;

 protected:
  void Paint(HDC dc, const RECT& area) override {
    Painted.push_back(area);
    if (Fails) throw std::runtime_error("The painting failed.");
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  }
};

bool NeedsPainting(HWND window) {
  return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

}  // namespace

TEST(Painting, TheInvalidPartIsPaintedAndAFailureIsReportedOnce) {
  TApplication application;
  std::vector<std::string> exceptions;
  application.OnException = [&](const std::string& message) { exceptions.push_back(message); };
  TForm form(TFormStyle{"TPaintTestForm", 200, 100}, "Painting");
  auto* probe = form.Add<TPaintProbe>();
  form.Show();
  UpdateWindow(probe->Handle());
  probe->Painted.clear();

  RECT part{5, 6, 20, 16};
  InvalidateRect(probe->Handle(), &part, FALSE);
  UpdateWindow(probe->Handle());
  ASSERT_EQ(probe->Painted.size(), 1u);
  EXPECT_TRUE(EqualRect(&probe->Painted[0], &part));
  EXPECT_FALSE(NeedsPainting(probe->Handle()));

  probe->Fails = true;
  InvalidateRect(probe->Handle(), nullptr, FALSE);
  UpdateWindow(probe->Handle());
  EXPECT_EQ(probe->Painted.size(), 2u);
  EXPECT_EQ(exceptions, std::vector<std::string>{"The painting failed."});
  EXPECT_FALSE(NeedsPainting(probe->Handle()));

  probe->Fails = false;
  InvalidateRect(probe->Handle(), &part, FALSE);
  UpdateWindow(probe->Handle());
  ASSERT_EQ(probe->Painted.size(), 3u);
  EXPECT_TRUE(EqualRect(&probe->Painted[2], &part));
  EXPECT_EQ(exceptions.size(), 1u);
}
