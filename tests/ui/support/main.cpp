// The UI tests' main: takes the paths the build passes, then runs the tests.
#include <gtest/gtest.h>

namespace ui {
void SetArguments(int argc, char** argv);
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  ui::SetArguments(argc, argv);
  return RUN_ALL_TESTS();
}
