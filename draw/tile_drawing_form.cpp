#include "app/t_form.h"

// Interim: tile drawing of shelves and pictograms is being written.
ImageControl* T_Form::FindSlotImage(int, int) { return nullptr; }
void T_Form::DrawShelf(int) {}
void T_Form::DrawPictogram(int) {}
