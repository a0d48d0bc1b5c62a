#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueNames.h"
#include "support/MainFormFixture.h"
#include "support/UserActions.h"

using namespace velmora;
using testing::Driver;
using testing::MainFormFixture;

namespace {

// What happens to the catalogue under the open window, and how it is undone.
enum class Fault {
    Gone,       // the file moved away (SQLite); moved back
    Lost,       // the server ended the window's session (PostgreSQL); the next activation connects again
    Locked,     // another program holds an exclusive lock; it ends its transaction
    ReadOnly,   // the window's connection may only read; it may write again
};

enum class Path {
    Post,         // leaving the edited field posts it
    Choice,       // a structure chosen in the list: lookups and list reads
    Activation,   // switching to the trace window posts, the next activation opens
};

// The window's own connection, as it is open in this process.
bool onWindowConnection(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(catalogue::names::DatabaseName, false));
    return query.exec(sql);
}

class FaultUnderTest {
public:
    FaultUnderTest(Fault fault, Driver driver, MainFormFixture& f, const QString& session)
        : fault_(fault), driver_(driver), f_(f), session_(session), away_(f.catalogue.path() + QStringLiteral(".away"))
    {
    }

    bool start()
    {
        switch (fault_) {
        case Fault::Gone:
            return QFile::rename(f_.catalogue.path(), away_);
        case Fault::Lost:
            return f_.catalogue.exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                                    "WHERE application_name = '%1'").arg(session_)) &&
                   QTest::qWaitFor([this] {
                       return f_.catalogue.rows(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE "
                                                               "application_name = '%1'").arg(session_)) ==
                              QStringList{QStringLiteral("0")};
                   });
        case Fault::Locked:
            // SQLite's exclusive lock and PostgreSQL's ACCESS EXCLUSIVE both keep readers out too.
            holder_ = std::make_unique<testing::RawCatalogue>(catalogue::AliasRegistry().lookup(catalogue::names::Alias));
            return holder_->exec(driver_ == Driver::Embedded ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN")) &&
                   (driver_ == Driver::Embedded ||
                    holder_->exec(QStringLiteral("LOCK TABLE Structures IN ACCESS EXCLUSIVE MODE")));
        case Fault::ReadOnly:
            return onWindowConnection(driver_ == Driver::Embedded
                                          ? QStringLiteral("PRAGMA query_only = ON")
                                          : QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
        }
        return false;
    }

    bool end()
    {
        switch (fault_) {
        case Fault::Gone:
            return QFile::rename(away_, f_.catalogue.path());
        case Fault::Lost:
            return true;
        case Fault::Locked:
            return holder_->exec(QStringLiteral("COMMIT"));
        case Fault::ReadOnly:
            return onWindowConnection(driver_ == Driver::Embedded
                                          ? QStringLiteral("PRAGMA query_only = OFF")
                                          : QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE"));
        }
        return false;
    }

private:
    Fault fault_;
    Driver driver_;
    MainFormFixture& f_;
    QString session_;
    QString away_;
    std::unique_ptr<testing::RawCatalogue> holder_;
};

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Path)

// A catalogue fault met on each path of the window is named by its kind, once;
// a change the user typed stays in its field and is stored once the fault is
// over. A catalogue that went away is closed, and the next activation says
// what is there now.
class TestMainFormCatalogueFaults : public QObject {
    Q_OBJECT

private slots:
    void eachPathNamesTheFault_data()
    {
        QTest::addColumn<Driver>("driver");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Path>("path");
        QTest::addColumn<QString>("box");       // words of the one box the fault brings; empty: none
        QTest::addColumn<QString>("whileAway"); // the box of an activation while the file is away
        const QString gone = QStringLiteral(" was deleted while it was open; nothing more is read");
        const QString lost = QStringLiteral(": the connection to the catalogue's server was lost (");
        const QString locked = QStringLiteral("another program holds a lock on the catalogue; gave up after waiting");
        const QString readOnly = QStringLiteral(": the catalogue can be read but not written (");
        const QString missing = QStringLiteral(" does not exist");
        const struct {
            Path path;
            const char* name;
        } paths[] = {{Path::Post, "post"}, {Path::Choice, "choice"}, {Path::Activation, "activation"}};
        for (const auto& [path, name] : paths) {
            // A file cannot lose a server session, nor a server's catalogue its file.
            QTest::addRow("sqlite/gone/%s", name) << Driver::Embedded << Fault::Gone << path << gone << missing;
            QTest::addRow("postgres/lost/%s", name) << Driver::Postgres << Fault::Lost << path << lost << QString();
            // Reading a catalogue that may not be written is no fault: a choice says nothing.
            const QString writing = path == Path::Choice ? QString() : readOnly;
            for (Driver driver : {Driver::Embedded, Driver::Postgres}) {
                const char* engine = driver == Driver::Embedded ? "sqlite" : "postgres";
                QTest::addRow("%s/locked/%s", engine, name) << driver << Fault::Locked << path << locked << QString();
                QTest::addRow("%s/read-only/%s", engine, name) << driver << Fault::ReadOnly << path << writing << QString();
            }
        }
    }

    void eachPathNamesTheFault()
    {
        QFETCH(Driver, driver);
        QFETCH(Fault, fault);
        QFETCH(Path, path);
        QFETCH(QString, box);
        QFETCH(QString, whileAway);
        // The window's session is told apart from the test's own by its application name.
        const QString session = QStringLiteral("velmora-window-") + QUuid::createUuid().toString(QUuid::Id128);
        qputenv("PGAPPNAME", session.toUtf8());
        MainFormFixture f(true, driver);
        qunsetenv("PGAPPNAME");
        const auto storedName = [&f] {
            return f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString();
        };
        const QString before = storedName();

        // A choice posts first what was typed (the post path): it is made with nothing typed.
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        const QString typed = QStringLiteral("TTyped");
        auto* list = f.find<QComboBox>("DirectX_ComboBox");
        if (path == Path::Choice) {
            f.showStructuresViewPage();
            QTest::mouseClick(list, Qt::LeftButton);   // the list has the focus before the fault
            if (list->view()->isVisible())
                QTest::keyClick(list->view(), Qt::Key_Escape);
        } else {
            f.showStructuresEditPage();
            testing::typeOver(name, typed);
        }

        FaultUnderTest under(fault, driver, f, session);
        QVERIFY(under.start());
        if (path == Path::Post)
            QTest::mouseClick(f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo"), Qt::LeftButton);
        else if (path == Path::Choice)
            QTest::keyClick(list, Qt::Key_Down);   // the next structure
        else
            QVERIFY(f.goToTraceWindow());
        QTest::qWait(0);
        const qsizetype boxes = box.isEmpty() ? 0 : 1;
        QCOMPARE(f.boxes.boxes().size(), boxes);
        if (boxes)
            QVERIFY2(f.boxes.texts().first().contains(box), qPrintable(f.boxes.texts().first()));
        if (path != Path::Choice)
            QCOMPARE(name->text(), typed);

        if (!whileAway.isEmpty()) {
            if (path != Path::Activation)
                QVERIFY(f.goToTraceWindow());
            QVERIFY(f.backToMainWindow());
            QTest::qWait(0);
            QCOMPARE(f.boxes.boxes().size(), boxes + 1);
            QVERIFY2(f.boxes.texts().last().contains(whileAway), qPrintable(f.boxes.texts().last()));
            QCOMPARE(name->text(), path == Path::Choice ? QString() : typed);   // nothing refilled the field
        }

        // Over: away and back, and away again, store what was typed and say nothing more.
        QVERIFY(under.end());
        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QVERIFY(f.goToTraceWindow());
        QTest::qWait(0);
        QCOMPARE(storedName(), path == Path::Choice ? before : typed);
        QCOMPARE(f.boxes.boxes().size(), boxes + (whileAway.isEmpty() ? 0 : 1));
    }

    // Closing the window is the last chance to store a change kept over a
    // moved file: refused once while the file is away, stored once it is back.
    void aCloseStoresTheKeptChangeOrRefusesOnce()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        testing::typeOver(name, QStringLiteral("TTyped"));
        FaultUnderTest under(Fault::Gone, Driver::Embedded, f, QString());
        QVERIFY(under.start());
        QTest::mouseClick(f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo"), Qt::LeftButton);
        QTRY_COMPARE(f.boxes.boxes().size(), 1);

        QVERIFY(!f.main->close());
        QCOMPARE(f.boxes.boxes().size(), 2);
        QVERIFY2(f.boxes.texts().last().contains(QStringLiteral("does not exist")) &&
                     f.boxes.texts().last().contains(QStringLiteral("The change was not stored.")),
                 qPrintable(f.boxes.texts().last()));
        QVERIFY(under.end());
        QVERIFY(f.main->close());
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(),
                 QStringLiteral("TTyped"));
        QCOMPARE(f.boxes.boxes().size(), 2);
    }
};

QTEST_MAIN(TestMainFormCatalogueFaults)
#include "test_main_form_catalogue_faults.moc"
