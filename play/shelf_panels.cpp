#include "app/t_form.h"

// Interim: shelf panel operations are being written.
void T_Form::ResetShelfPanels(bool) {}
void T_Form::ApplyModeCursor() {}
int T_Form::CountVisibleShelves() { return 0; }
void T_Form::HighlightMatchingShelf(int) {}
Panel* T_Form::currentFrame() const { return ps.N_Level == 0 ? p_Fr_06 : p_Fr_12; }
QList<Panel*> T_Form::shelfPanelsOfCurrentFrame() const { return {}; }
