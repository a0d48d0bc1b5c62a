#pragma once

// What a user does to the browser's lists, through real events.

#include <QAbstractItemView>
#include <QComboBox>
#include <QStringList>
#include <QTest>

namespace velmora::testing {

// Opens the list and clicks the entry.
inline void choose(QComboBox* box, int row)
{
    QVERIFY2(box->isVisible(), qPrintable(box->objectName() + QStringLiteral(" is not showing")));
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    // An entry wider than the list is clicked where it shows.
    const QRect entry = view->visualRect(index).intersected(view->viewport()->rect());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
    QTRY_VERIFY(!view->isVisible());
}

// Clicks into an edit field, selects all it shows and types text over it.
template <typename Field>
void typeOver(Field* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClicks(field, text);
}

inline QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace velmora::testing
