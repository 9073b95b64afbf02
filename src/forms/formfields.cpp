#include "formfields.h"

#include <windows.h>

#include <string>

#include "controls.h"
#include "core/statusframe.h"
#include "core/textconvert.h"
#include "platform/messages.h"

namespace {

std::string LimitsWarning(int32_t minimum, int32_t maximum, int32_t defaultValue) {
  return "Integer value outside limits.\nIt will be set to default.\n    * Minimum = " +
         std::to_string(minimum) + "\n    * Maximum = " + std::to_string(maximum) +
         "\n    * Default = " + std::to_string(defaultValue);
}

}  // namespace

int32_t GetIntFromComboBox(TComboBox* comboBox, int32_t minimum, int32_t maximum,
                           int32_t defaultValue) {
  STATUS_FRAME("GetIntFromComboBox");
  int32_t value = 0;
  bool outsideLimits = false;
  frame.Run([&] {
    const std::string text = comboBox ? comboBox->Text() : std::string();
    value = text.empty() ? defaultValue : TextToInt(text);
    if (value < minimum || value > maximum) outsideLimits = true;
  });
  if (frame.Failed()) outsideLimits = true;
  if (outsideLimits) {
    value = defaultValue;
    // A second body, so that the warning's own trouble is caught too; the
    // conversion's failure stays in the local context for the caller.
    frame.Run([&] {
      WarningDialog(LimitsWarning(minimum, maximum, defaultValue));
      FocusWindowControl(comboBox);
      // Our choosers are lists: the default is shown by selecting it; a
      // default that is not in the list leaves the chooser empty, which reads
      // as the default again.
      if (comboBox && !comboBox->SelectText(std::to_string(defaultValue)))
        comboBox->SetItemIndex(-1);
    });
  }
  return value;
}

int32_t GetIntFromComboBox(TComboBox* comboBox) {
  return GetIntFromComboBox(comboBox, INT32_MIN, INT32_MAX, 0);
}

void FocusWindowControl(TControl* control) {
  if (!control) return;
  SetLastError(0);
  ::SetFocus(control->Handle());
}
