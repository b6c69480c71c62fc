#pragma once

class QCheckBox;
class QComboBox;

// Reading and setting the option controls the way the store needs them,
// for the main window's OptionControls implementation. Qt's own accessors
// differ in ways that matter here:
//  - QCheckBox numbers its states 0, 2 (checked), 1 (partial);
//  - an editable QComboBox keeps its currentIndex while the user types
//    another text, so "rows" typed over "Rows" would still read as 1.

// 0 off, 1 on, 2 grayed.
int checkValue(const QCheckBox *box);
// Grayed is shown but stays out of the click cycle: a click on it goes to
// on or off, and clicks never lead back to it.
void setCheckValue(QCheckBox *box, int value);

// The position of the text the field shows, compared exactly (letter case
// included); -1 when it is no list item.
int comboListIndex(const QComboBox *combo);
// Selects that item and shows its text; -1 (or any position outside the
// list) clears the selection and empties the field.
void setComboListIndex(QComboBox *combo, int index);
