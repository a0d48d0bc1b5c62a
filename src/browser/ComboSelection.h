#pragma once

#include <QString>

class QComboBox;

namespace velmora::browser {

// The selected entry of a list as the browser sees it: -1 when nothing is
// chosen, and also when the user has typed over the chosen entry's text (Qt
// keeps the old index in that case).
int selectedPosition(const QComboBox* combo);
QString selectedText(const QComboBox* combo);

// Selects position by program, raising no user-choice signal. A position
// outside the list, or -1, leaves no selection and an empty text.
void selectPosition(QComboBox* combo, int position);

// Scrolls the text field back to the start of its text: an entry longer than
// the field (a flag with its description) shows its name, not its end.
void showTextStart(QComboBox* combo);

} // namespace velmora::browser
