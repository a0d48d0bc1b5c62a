#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QUuid>

#include "support/MainFormFixture.h"
#include "support/UserActions.h"

using namespace velmora;
using testing::Driver;
using testing::MainFormFixture;

// The server ends the window's session (an administrator, a restart): posting
// shows the error box, nothing stored is lost, and the next activation
// connects again.
class TestMainFormLostConnection : public QObject {
    Q_OBJECT

private slots:
    void theErrorShowsAndTheNextActivationReconnects()
    {
        // The window's connection is told apart from every other by its application name.
        const QString session = QStringLiteral("velmora-window-") + QUuid::createUuid().toString(QUuid::Id128);
        qputenv("PGAPPNAME", session.toUtf8());
        MainFormFixture f(true, Driver::Postgres);
        qunsetenv("PGAPPNAME");
        const QString sessions =
            QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE application_name = '%1'").arg(session);
        QCOMPARE(f.catalogue.rows(sessions), QStringList{QStringLiteral("1")});

        f.showStructuresEditPage();
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        auto* memo = f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo");
        testing::typeOver(name, QStringLiteral("TLost"));
        QVERIFY(f.catalogue.exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                                "WHERE application_name = '%1'").arg(session)));
        QTRY_COMPARE(f.catalogue.rows(sessions), QStringList{QStringLiteral("0")});

        QTest::mouseClick(memo, Qt::LeftButton);   // leaving the name posts it
        QTRY_COMPARE(f.boxes.boxes().size(), 1);
        QVERIFY2(f.boxes.texts().first().contains(
                     QStringLiteral(" the table Structures: the connection to the catalogue's server was lost (")),
                 qPrintable(f.boxes.texts().first()));
        QCOMPARE(f.boxes.boxes().first().icon, app::MessageBox::Error);
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(),
                 QStringLiteral("TDDSurfaceDesc"));
        QCOMPARE(f.catalogue.rows(QStringLiteral("SELECT COUNT(*) FROM Structures UNION ALL SELECT COUNT(*) FROM "
                                                 "Structure_Members UNION ALL SELECT COUNT(*) FROM Structure_Member_Flags")),
                 (QStringList{QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("1")}));

        // Away and back: a new session, the lists filled, edits stored again.
        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QTRY_COMPARE(f.catalogue.rows(sessions), QStringList{QStringLiteral("0")});
        for (const QString& box : f.boxes.texts())
            QVERIFY2(box.contains(QStringLiteral("the connection to the catalogue's server was lost")), qPrintable(box));
        const qsizetype boxesSoFar = f.boxes.boxes().size();
        QCOMPARE(f.find<QComboBox>("BCB_ComboBox")->count(), 2);
        testing::typeOver(name, QStringLiteral("TFound"));
        QTest::mouseClick(memo, Qt::LeftButton);
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(),
                 QStringLiteral("TFound"));
        QTest::qWait(0);
        QCOMPARE(f.boxes.boxes().size(), boxesSoFar);
    }
};

QTEST_MAIN(TestMainFormLostConnection)
#include "test_main_form_lost_connection.moc"
