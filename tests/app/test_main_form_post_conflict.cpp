#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "support/MainFormFixture.h"
#include "support/UserActions.h"

using namespace velmora;
using testing::Driver;
using testing::MainFormFixture;

Q_DECLARE_METATYPE(velmora::testing::Driver)

namespace {

// What the user does that posts the typed name.
enum class Trigger { LeaveField, ShowDbg, CloseWindow };

// The user types "TMine" over the shown structure's name while someone else
// stores theirs (an assignment list) into the same row.
bool typeMineWhileTheyStore(MainFormFixture& f, const QString& theirs)
{
    f.showStructuresEditPage();
    auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
    testing::typeOver(name, QStringLiteral("TMine"));
    return f.catalogue.exec(
        QStringLiteral("UPDATE Structures SET %1 WHERE Structure_Index = %2").arg(theirs).arg(f.rows.surface));
}

} // namespace

Q_DECLARE_METATYPE(Trigger)

// Someone else stores a new name for the structure this window shows while
// its user types another: leaving the field asks whose change stays, and the
// typed name stays in the field until the user has chosen.
class TestMainFormPostConflict : public QObject {
    Q_OBJECT

private slots:
    void theUserChoosesWhoseChangeStays_data()
    {
        QTest::addColumn<Driver>("driver");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("kept");
        for (Driver driver : {Driver::Embedded, Driver::Postgres}) {
            const QByteArray name = testing::driverName(driver);
            QTest::newRow((name + " keep theirs").constData()) << driver << 0 << QStringLiteral("TTheirs");
            QTest::newRow((name + " store mine").constData()) << driver << 1 << QStringLiteral("TMine");
        }
    }

    void theUserChoosesWhoseChangeStays()
    {
        QFETCH(Driver, driver);
        QFETCH(int, button);
        QFETCH(QString, kept);
        MainFormFixture f(true, driver);
        QVERIFY(typeMineWhileTheyStore(f, QStringLiteral("BCB_Name = 'TTheirs'")));
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        auto* memo = f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo");

        QString shownWhenAsked;
        f.boxes.onShown([&](const app::MessageBox::Shown&) { shownWhenAsked = name->text(); });
        f.boxes.answerNext(button);
        QTest::mouseClick(memo, Qt::LeftButton);   // leaving the name posts it
        QTRY_COMPARE(f.boxes.boxes().size(), 1);
        const app::MessageBox::Shown& box = f.boxes.boxes().first();
        QVERIFY2(box.text.contains(QStringLiteral("the table Structures: someone else changed its current row")),
                 qPrintable(box.text));
        QCOMPARE(box.buttons, (QStringList{QStringLiteral("Keep &Theirs"), QStringLiteral("Store &Mine")}));
        QCOMPARE(shownWhenAsked, QStringLiteral("TMine"));

        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(), kept);
        QCOMPARE(name->text(), kept);
        QVERIFY(f.find<QComboBox>("BCB_ComboBox")->findText(kept) >= 0);
        QTest::qWait(0);
        QCOMPARE(f.boxes.boxes().size(), 1);
    }

    void theQuestionShowsBothValuesAndWhatRaisedItGoesAhead_data()
    {
        QTest::addColumn<Driver>("driver");
        QTest::addColumn<QString>("theirs");     // what the other user stores meanwhile
        QTest::addColumn<Trigger>("trigger");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("asked");      // the line naming the field; empty: no question
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("description");   // shown after the post
        const QString mine = QStringLiteral("BCB_Name: theirs \"TTheirs\", yours \"TMine\"");
        const QString ours = QStringLiteral("Describes a surface.");
        for (Driver driver : {Driver::Embedded, Driver::Postgres}) {
            const QByteArray name = testing::driverName(driver);
            const auto row = [&name](const char* what) { return (name + ' ' + what); };
            QTest::newRow(row("same value").constData())
                << driver << "BCB_Name = 'TMine'" << Trigger::LeaveField << 0 << QString() << "TMine" << ours;
            QTest::newRow(row("another field").constData())
                << driver << "BCB_Description = 'Their words.'" << Trigger::LeaveField << 0 << QString() << "TMine"
                << "Their words.";
            QTest::newRow(row("show dbg, keep theirs").constData())
                << driver << "BCB_Name = 'TTheirs'" << Trigger::ShowDbg << 0 << mine << "TTheirs" << ours;
            QTest::newRow(row("close, store mine").constData())
                << driver << "BCB_Name = 'TTheirs'" << Trigger::CloseWindow << 1 << mine << "TMine" << ours;
        }
        QTest::newRow("Embedded emptied, store mine")
            << Driver::Embedded << "BCB_Name = NULL" << Trigger::LeaveField << 1
            << "BCB_Name: theirs (empty), yours \"TMine\"" << "TMine" << ours;
    }

    void theQuestionShowsBothValuesAndWhatRaisedItGoesAhead()
    {
        QFETCH(Driver, driver);
        QFETCH(QString, theirs);
        QFETCH(Trigger, trigger);
        QFETCH(int, button);
        QFETCH(QString, asked);
        QFETCH(QString, kept);
        QFETCH(QString, description);
        MainFormFixture f(true, driver);
        QVERIFY(typeMineWhileTheyStore(f, theirs));
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        auto* memo = f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo");

        bool traceShownWhenAsked = false;
        bool openWhenAsked = false;
        f.boxes.onShown([&](const app::MessageBox::Shown&) {
            traceShownWhenAsked = f.trace.isVisible();
            openWhenAsked = f.main->isVisible();
        });
        f.boxes.answerNext(button);
        if (trigger == Trigger::LeaveField)
            QTest::mouseClick(memo, Qt::LeftButton);
        else if (trigger == Trigger::ShowDbg)
            QTest::mouseClick(f.find<QPushButton>("BitBtn4"), Qt::LeftButton);
        else
            f.main->close();   // once: the answer finishes it
        QTest::qWait(0);
        if (asked.isEmpty()) {
            QCOMPARE(f.boxes.texts(), QStringList());
        } else {
            QTRY_COMPARE(f.boxes.boxes().size(), 1);
            QVERIFY2(f.boxes.texts().first().contains(QLatin1Char('\n') + asked + QLatin1Char('\n')),
                     qPrintable(f.boxes.texts().first()));
            QVERIFY(!traceShownWhenAsked);
            QVERIFY(openWhenAsked);
        }
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(), kept);
        if (trigger == Trigger::ShowDbg)
            QTRY_VERIFY(f.trace.isVisible());
        QCOMPARE(f.main->isVisible(), trigger != Trigger::CloseWindow);
        if (trigger == Trigger::LeaveField) {   // the other triggers leave the window
            QCOMPARE(name->text(), kept);
            QCOMPARE(memo->toPlainText(), description);
        }
        QTest::qWait(0);
        QCOMPARE(f.boxes.boxes().size(), asked.isEmpty() ? 0 : 1);
    }
};

QTEST_MAIN(TestMainFormPostConflict)
#include "test_main_form_post_conflict.moc"
