// Reading form fields: whole numbers from choosers, and moving the focus.
#pragma once

#include <cstdint>

class TComboBox;
class TControl;

// The chooser's number. An empty text gives the default; a text that is no
// number, or a number outside minimum..maximum, warns with the limits, moves
// the focus to the chooser, selects the default there and gives the default.
// Only a text that is no number leaves an error in FunStatContext.
int32_t GetIntFromComboBox(TComboBox* comboBox, int32_t minimum, int32_t maximum,
                           int32_t defaultValue);
// Any 32-bit number, 0 when empty.
int32_t GetIntFromComboBox(TComboBox* comboBox);

// Gives the control the keyboard focus; nothing without a control.
void FocusWindowControl(TControl* control);
