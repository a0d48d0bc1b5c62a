// The browser's lists hold their entries in a model of their own: filled by a
// refill, they must answer the user's keys exactly as a list filled item by
// item through QComboBox does.

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "browser/ComboSelection.h"
#include "browser/FillTargets.h"
#include "browser/LevelLists.h"
#include "browser/ListQueries.h"

using velmora::browser::FillTargets;
using velmora::browser::LevelLists;
using velmora::browser::ListRows;
using velmora::browser::refillLevel;
using velmora::browser::selectPosition;
using velmora::browser::selectedPosition;

namespace {

const QStringList Structures = {QStringLiteral("DDBLTFX"), QStringLiteral("DDCAPS"), QStringLiteral("DDCOLORKEY"),
                                QStringLiteral("DDSURFACEDESC"), QStringLiteral("DDSURFACEDESC2")};

// A list set up as the window's are.
void setUp(QComboBox& box)
{
    box.setEditable(true);
    box.setInsertPolicy(QComboBox::NoInsert);
    box.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box.setMaxVisibleItems(8);
}

// What the user sees of a list, and the choices it reported.
QString state(const QComboBox& box, const QSignalSpy& chosen)
{
    QStringList reported;
    for (const QList<QVariant>& signal : chosen)
        reported << signal.at(0).toString();
    return QStringLiteral("index %1, selected %2, text '%3', cursor %4, chosen [%5]")
        .arg(box.currentIndex())
        .arg(selectedPosition(&box))
        .arg(box.currentText())
        .arg(box.lineEdit()->cursorPosition())
        .arg(reported.join(QLatin1Char(',')));
}

// The list filled item by item, as it was before it had a model of its own.
void fillItemByItem(QComboBox& box, const QStringList& entries)
{
    const int remembered = selectedPosition(&box);
    box.clear();
    box.addItems(entries);
    selectPosition(&box, remembered);
}

void refill(QComboBox& box, const QStringList& entries)
{
    QComboBox unused;
    refillLevel(LevelLists{&box, &unused}, FillTargets{true, false}, ListRows{entries, entries});
}

} // namespace

class TestLevelLists : public QObject {
    Q_OBJECT

private slots:
    void theUsersKeysDoWhatTheyDidInAListFilledItemByItem_data()
    {
        QTest::addColumn<QStringList>("before");     // entries of a first fill
        QTest::addColumn<int>("position");           // then chosen by program
        QTest::addColumn<QStringList>("after");      // entries of the refill
        QTest::addColumn<QString>("keys");           // typed, then the special keys
        QTest::addColumn<QList<int>>("specialKeys");

        const QStringList none;
        QTest::newRow("arrows") << Structures << 0 << Structures << QString() << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up};
        QTest::newRow("page keys") << Structures << 1 << Structures << QString() << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp};
        QTest::newRow("completion, any case") << Structures << 0 << Structures << QStringLiteral("ddco") << QList<int>{};
        QTest::newRow("completion, then Enter") << Structures << 0 << Structures << QStringLiteral("DDSURFACEDESC")
                                                << QList<int>{Qt::Key_Return};
        QTest::newRow("no entry matches") << Structures << 2 << Structures << QStringLiteral("nothing")
                                          << QList<int>{Qt::Key_Return, Qt::Key_Down};
        QTest::newRow("refill shorter than the position") << Structures << 4 << Structures.mid(0, 2) << QString()
                                                          << QList<int>{Qt::Key_Down};
        QTest::newRow("refill empty") << Structures << 1 << none << QStringLiteral("dd") << QList<int>{Qt::Key_Down};
        QTest::newRow("first fill after empty") << none << 0 << Structures << QString() << QList<int>{Qt::Key_Up, Qt::Key_Down};
    }

    void theUsersKeysDoWhatTheyDidInAListFilledItemByItem()
    {
        QFETCH(QStringList, before);
        QFETCH(int, position);
        QFETCH(QStringList, after);
        QFETCH(QString, keys);
        QFETCH(QList<int>, specialKeys);

        QWidget window;
        QComboBox itemByItem(&window), withModel(&window);
        QString seen[2];
        for (QComboBox* box : {&itemByItem, &withModel}) {
            setUp(*box);
            const bool model = box == &withModel;
            model ? refill(*box, before) : fillItemByItem(*box, before);
            selectPosition(box, position);
            model ? refill(*box, after) : fillItemByItem(*box, after);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QComboBox* box : {&itemByItem, &withModel}) {
            QSignalSpy chosen(box, &QComboBox::textActivated);
            box->setFocus();
            QTRY_VERIFY(box->hasFocus());
            QTest::keyClicks(box, keys);
            for (int key : specialKeys)
                QTest::keyClick(box, Qt::Key(key));
            seen[box == &withModel] = state(*box, chosen);
        }
        QCOMPARE(seen[1], seen[0]);
        QCOMPARE(withModel.count(), after.size());
    }
};

QTEST_MAIN(TestLevelLists)
#include "test_level_lists.moc"
