#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "support/MainFormFixture.h"
#include "catalogue/CatalogueNames.h"

using namespace velmora;
using testing::MainFormFixture;

namespace {

// Two ways a catalogue stops taking writes while the window is open; each can
// be undone. Read-only, the same connection writes again; moved away, the
// file is gone: leaving the field closes the catalogue, which the next
// activation opens again.
enum class Unwritable { ReadOnly, MovedAway };

// The window's own connection refuses every write, as a catalogue file the
// user may only read does: the transaction cannot even begin.
bool setWindowConnectionReadOnly(bool readOnly)
{
    QSqlQuery query(QSqlDatabase::database(catalogue::names::DatabaseName, false));
    return query.exec(readOnly ? QStringLiteral("PRAGMA query_only = ON") : QStringLiteral("PRAGMA query_only = OFF"));
}

bool makeUnwritable(Unwritable how, const QString& path, bool unwritable)
{
    if (how == Unwritable::ReadOnly)
        return setWindowConnectionReadOnly(unwritable);
    // Moved away, the file's writes fail only after the transaction began.
    const QString away = path + QStringLiteral(".away");
    return unwritable ? QFile::rename(path, away) : QFile::rename(away, path);
}

} // namespace

Q_DECLARE_METATYPE(Unwritable)

// "Clear All Structures" on a catalogue that cannot be written clears nothing
// and keeps the change the user typed, which is stored once the catalogue can
// be written again (at the next switch, or at the activation after it).
class TestMainFormFailedClear : public QObject {
    Q_OBJECT

private slots:
    void theTypedChangeOutlivesTheFailedClear_data()
    {
        QTest::addColumn<Unwritable>("how");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("keyField");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("refusals");   // the one box says one of these
        const auto moved = Unwritable::MovedAway;
        const QStringList gone{"was deleted while it was open"};
        QTest::newRow("moved, structure name")
            << moved << "BCB_ObjectName_Edit" << "Structures" << "Structure_Index" << "BCB_Name" << gone;
        QTest::newRow("moved, structure description")
            << moved << "BCB_ObjectDescription_Memo" << "Structures" << "Structure_Index" << "BCB_Description" << gone;
        QTest::newRow("moved, member name")
            << moved << "BCB_PropertyName_Edit" << "Structure_Members" << "Member_Index" << "BCB_Name" << gone;
        QTest::newRow("moved, flag description")
            << moved << "BCB_PropertyFlagsDescript_Memo" << "Structure_Member_Flags" << "Flag_Index" << "BCB_Description" << gone;
        QTest::newRow("read-only, structure name")
            << Unwritable::ReadOnly << "BCB_ObjectName_Edit" << "Structures" << "Structure_Index" << "BCB_Name"
            << QStringList{"Cannot empty the table Structures: ", "Cannot start writing to the catalogue: "};
    }

    void theTypedChangeOutlivesTheFailedClear()
    {
        QFETCH(Unwritable, how);
        QFETCH(QString, control);
        QFETCH(QString, table);
        QFETCH(QString, keyField);
        QFETCH(QString, field);
        QFETCH(QStringList, refusals);
        MainFormFixture f;
        f.showStructuresEditPage();
        const int key = table == QLatin1String("Structures")          ? f.rows.surface
                        : table == QLatin1String("Structure_Members") ? f.rows.dwSize
                                                                      : f.rows.flagCaps;
        const QString before = f.catalogue.stored(table, keyField, key, field).toString();
        QWidget* typedInto = f.find<QWidget>(control.toLatin1().constData());
        const auto shown = [typedInto] {
            if (auto* edit = qobject_cast<QLineEdit*>(typedInto))
                return edit->text();
            return qobject_cast<QPlainTextEdit*>(typedInto)->toPlainText();
        };

        QVERIFY(makeUnwritable(how, f.catalogue.path(), true));
        QTest::mouseClick(typedInto, Qt::LeftButton);
        QTest::keyClick(typedInto, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(typedInto, QStringLiteral("Kept"));
        QTest::mouseClick(f.find<QPushButton>("BitBtn3"), Qt::LeftButton);
        const auto refused = [&f, &refusals] {
            qsizetype count = 0;
            for (const QString& refusal : refusals)
                count += f.boxes.texts().filter(refusal).size();
            return count;
        };
        QTRY_VERIFY2(refused() == 1, qPrintable(f.boxes.texts().join(QLatin1Char('\n'))));

        QCOMPARE(shown(), QStringLiteral("Kept"));
        QVERIFY(makeUnwritable(how, f.catalogue.path(), false));
        QCOMPARE(f.catalogue.stored(table, keyField, key, field).toString(), before);
        QCOMPARE(f.catalogue.rowCount(QStringLiteral("Structures")), 2);
        QCOMPARE(f.catalogue.rowCount(QStringLiteral("Structure_Member_Flags")), 1);

        // Writable again: going to the trace window and back stores the change.
        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QCOMPARE(f.catalogue.stored(table, keyField, key, field).toString(), QStringLiteral("Kept"));
    }
};

QTEST_MAIN(TestMainFormFailedClear)
#include "test_main_form_failed_clear.moc"
