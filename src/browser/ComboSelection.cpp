#include "browser/ComboSelection.h"

#include <QComboBox>
#include <QLineEdit>

namespace velmora::browser {

int selectedPosition(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0 || index >= combo->count())
        return -1;
    if (combo->isEditable() && combo->currentText() != combo->itemText(index))
        return -1;
    return index;
}

QString selectedText(const QComboBox* combo)
{
    const int index = selectedPosition(combo);
    return index < 0 ? QString() : combo->itemText(index);
}

void selectPosition(QComboBox* combo, int position)
{
    // setCurrentIndex emits currentIndexChanged but never activated, which is
    // the only signal the choice handlers listen to.
    if (position >= 0 && position < combo->count()) {
        combo->setCurrentIndex(position);
        if (combo->isEditable())
            combo->setEditText(combo->itemText(position));
        showTextStart(combo);
        return;
    }
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(QString());
}

void showTextStart(QComboBox* combo)
{
    if (QLineEdit* field = combo->lineEdit())
        field->setCursorPosition(0);
}

} // namespace velmora::browser
