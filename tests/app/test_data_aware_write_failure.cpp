#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/controls/DBEdit.h"
#include "app/controls/DBMemo.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/DataSource.h"
#include "support/CatalogueFixture.h"

using namespace velmora;

// A value that cannot be written when its control is left: the error box, the
// focus back in the control, and no exit handler.
class TestDataAwareWriteFailure : public QObject {
    Q_OBJECT

private slots:
    void theControlKeepsTheFocusAndSkipsItsExit()
    {
        app::MessageBoxRecorder boxes;
        testing::CatalogueFixture catalogue;
        catalogue.addStructure("DDCAPS", "TDDCaps", "Driver capabilities.");
        catalogue::CatalogueTables tables;
        tables.database.setConnected(true);
        catalogue::Table& table = tables.structures;
        catalogue::DataSource source(table);

        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* name = new app::DBEdit;
        auto* memo = new app::DBMemo;
        auto* other = new QLineEdit;
        layout->addWidget(name);
        layout->addWidget(memo);
        layout->addWidget(other);
        name->bind(&source, QStringLiteral("BCB_Name"));
        memo->bind(&source, QStringLiteral("BCB_Description"));
        QSignalSpy nameExits(name, &app::DBEdit::exited);
        QSignalSpy memoExits(memo, &app::DBMemo::exited);
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
        table.open();
        QCOMPARE(name->text(), QStringLiteral("TDDCaps"));

        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("X"));
        QCOMPARE(table.state(), catalogue::Table::State::Edit);
        // A bulk writer closes the table with the controls silenced.
        table.disableControls();
        table.close();

        QTest::mouseClick(other, Qt::LeftButton);
        QTRY_COMPARE(boxes.boxes().size(), 1);
        QVERIFY(boxes.texts().first().endsWith(QLatin1Char('.')));
        QCOMPARE(boxes.boxes().first().icon, app::MessageBox::Error);
        QVERIFY(name->hasFocus());
        QCOMPARE(name->selectedText(), QStringLiteral("TDDCapsX"));
        QCOMPARE(nameExits.count(), 0);
        QCOMPARE(memoExits.count(), 0);

        // Once the table takes changes again, leaving writes and exits as usual.
        table.enableControls();
        table.open();
        QCOMPARE(name->text(), QStringLiteral("TDDCaps"));   // the stored row again
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("TCaps"));
        QTest::mouseClick(memo, Qt::LeftButton);
        QCOMPARE(nameExits.count(), 1);
        QCOMPARE(table.value(QStringLiteral("BCB_Name")).toString(), QStringLiteral("TCaps"));
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(memoExits.count(), 1);   // the memo was left, unchanged, for another control
        QCOMPARE(boxes.boxes().size(), 1);
    }
};

QTEST_MAIN(TestDataAwareWriteFailure)
#include "test_data_aware_write_failure.moc"
