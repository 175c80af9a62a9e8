#pragma once

class QCheckBox;
class QWidget;

namespace pollwick {

// A check box's value as the window's logic reads it: 0 unticked, 1 ticked,
// 2 greyed. Only 1 counts as ticked.
int checkValue(const QCheckBox* box);
bool isTicked(const QCheckBox* box);

// Enables a field while the box that governs it is ticked.
void enableIfTicked(QWidget* field, const QCheckBox* box);

// A control's own enabled flag, apart from the frame that holds it: a
// control in a disabled frame cannot be used, but keeps its own flag for when
// the frame is enabled again.
bool ownEnabled(const QWidget* control);

} // namespace pollwick
