#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/MainFormFixture.h"
#include "support/UserActions.h"
#include "app/FileDialog.h"
#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"

using velmora::testing::MainFormFixture;
using velmora::testing::typeOver;

namespace {

const char* const StructurePageLists[] = {"DirectX_ComboBox", "DirectX_StructureMember_ComboBox",
                                          "DirectX_MemberFlags_ComboBox", "BCB_ComboBox",
                                          "BCB_ObjectProperty_ComboBox", "BCB_PropertyFlags_ComboBox"};

} // namespace

// The catalogue opening while the main window is the program's active window
// and closing while the trace window is; what survives the switch.
class TestMainFormActivation : public QObject {
    Q_OBJECT

private slots:
    void anEmptyCatalogueLeavesTheSixListsEmpty()
    {
        MainFormFixture f(false);
        for (const char* name : StructurePageLists) {
            auto* combo = f.find<QComboBox>(name);
            QCOMPARE(combo->count(), 0);
            QCOMPARE(combo->currentText(), QString());
        }
        // The copies are never filled and keep their initial texts.
        QCOMPARE(f.find<QComboBox>("ComboBox1")->currentText(), QStringLiteral("DirectX_ComboBox"));
        QCOMPARE(f.find<QComboBox>("ComboBox6")->currentText(), QStringLiteral("BCB_PropertyFlags_ComboBox"));
        QVERIFY(f.boxes.boxes().isEmpty());
    }

    void theTraceWindowClosesTheCatalogueAndReturningReopensIt()
    {
        MainFormFixture f;
        f.showStructuresViewPage();
        auto* structures = f.find<QComboBox>("DirectX_ComboBox");
        structures->setFocus();
        QTest::keyClick(structures, Qt::Key_Down);   // DDSURFACEDESC
        QTest::keyClick(structures, Qt::Key_Up);     // DDCAPS
        auto* name = f.find<QLineEdit>("DirectX_StructureName_Edit");
        QCOMPARE(name->text(), QStringLiteral("TDDCaps"));

        QVERIFY(f.goToTraceWindow());
        QCOMPARE(name->text(), QString());   // tables closed
        QCOMPARE(f.find<QPlainTextEdit>("DBMemo2")->toPlainText(), QString());

        QVERIFY(f.backToMainWindow());
        // Reopened on the first row by number; the lists select their first entry again.
        QCOMPARE(name->text(), QStringLiteral("TDDSurfaceDesc"));
        QCOMPARE(structures->currentIndex(), 0);
        QCOMPARE(structures->currentText(), QStringLiteral("DDCAPS"));
        // The member list now holds the members of the structure chosen before.
        QCOMPARE(f.find<QComboBox>("DirectX_StructureMember_ComboBox")->count(), 0);
        QCOMPARE(f.find<QLineEdit>("BCB_PropertyName_Edit")->text(), QStringLiteral("Size"));

        // "Show Dbg" hides the trace window, still open behind, and shows it again.
        auto* showDbg = f.find<QPushButton>("BitBtn4");
        QVERIFY(f.trace.isVisible());
        QTest::mouseClick(showDbg, Qt::LeftButton);
        QVERIFY(!f.trace.isVisible());
        QCOMPARE(name->text(), QStringLiteral("TDDSurfaceDesc"));
        QTest::mouseClick(showDbg, Qt::LeftButton);
        QVERIFY(MainFormFixture::waitUntilActive(&f.trace));
        QCOMPARE(name->text(), QString());
        QVERIFY(f.boxes.boxes().isEmpty());
    }

    void anAliasPointedElsewhereIsFollowedAtTheNextActivation()
    {
        // What `velmora-cli use` does while the window is open: the alias names
        // another catalogue, and the window reads the alias each time it opens one.
        MainFormFixture f;
        f.showStructuresViewPage();
        auto* structures = f.find<QComboBox>("DirectX_ComboBox");
        QCOMPARE(structures->count(), 2);
        const QString other = f.catalogue.env().root() + QStringLiteral("/other.sqlite");
        velmora::catalogue::CatalogueFile::ensure(other);
        velmora::catalogue::AliasRegistry registry;
        const velmora::catalogue::AliasEntry first = registry.lookup(velmora::catalogue::names::Alias);
        registry.registerAlias(velmora::catalogue::names::Alias, {first.driver, other});
        QCOMPARE(structures->count(), 2);   // still the catalogue opened at the last activation

        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QCOMPARE(structures->count(), 0);
        registry.registerAlias(velmora::catalogue::names::Alias, first);
        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QCOMPARE(structures->count(), 2);
        QVERIFY(f.boxes.boxes().isEmpty());
    }

    void aMessageBoxNeitherDeactivatesNorReactivates()
    {
        MainFormFixture f;
        f.showStructuresViewPage();
        auto* structures = f.find<QComboBox>("DirectX_ComboBox");
        structures->setFocus();
        QTest::keyClick(structures, Qt::Key_Down);   // DDSURFACEDESC, entry 1
        auto* memo = f.find<QPlainTextEdit>("DirectX_StructureDesc_Memo");
        QCOMPARE(memo->toPlainText(), QStringLiteral("Describes a surface."));

        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Velmora"), QStringLiteral("Not Yet Implemented"),
                        QMessageBox::Ok, f.main.get());
        box.open();
        QVERIFY(MainFormFixture::waitUntilActive(&box));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Describes a surface."));   // still open
        box.accept();
        QVERIFY(f.backToMainWindow());
        QCOMPARE(structures->currentIndex(), 1);   // not reselected by a new activation
        QCOMPARE(memo->toPlainText(), QStringLiteral("Describes a surface."));
    }

    void aTypedChangeIsStoredWhenTheTraceWindowTakesOver()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        auto* memo = f.find<QPlainTextEdit>("BCB_PropertyDescription_Memo");
        QTest::mouseClick(memo, Qt::LeftButton);
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, QStringLiteral(" In bytes."));
        auto* member = f.find<QRadioButton>("DBRadioGroup2_Item0");   // "All Methods Completed", was 2
        QTest::mouseClick(member, Qt::LeftButton);   // left the memo: written and posted
        QCOMPARE(f.catalogue.stored("Structure_Members", "Member_Index", f.rows.dwSize, "BCB_Description").toString(),
                 QStringLiteral("Size of the structure. In bytes."));

        // The status choice is written into the member row on leaving the group,
        // but nothing posts it; the typed name is not even written yet.
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        typeOver(name, QStringLiteral("TSurfaceDesc"));
        QVERIFY(f.goToTraceWindow());
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(),
                 QStringLiteral("TSurfaceDesc"));
        QCOMPARE(f.catalogue.stored("Structure_Members", "Member_Index", f.rows.dwSize, "Conversion_Status").toInt(), 0);

        QVERIFY(f.backToMainWindow());
        QCOMPARE(name->text(), QStringLiteral("TSurfaceDesc"));
        QCOMPARE(f.catalogue.rowCount("Structures"), 2);
    }

    void aTypedChangeIsStoredWhenTheMainWindowCloses()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        auto* memo = f.find<QPlainTextEdit>("BCB_PropertyFlagsDescript_Memo");
        typeOver(memo, QStringLiteral("The caps are valid."));
        QVERIFY(f.main->close());
        QCOMPARE(f.catalogue.stored("Structure_Member_Flags", "Flag_Index", f.rows.flagCaps, "BCB_Description").toString(),
                 QStringLiteral("The caps are valid."));
    }

    void aChangeThatCannotBeStoredKeepsTheWindowOpenOnce()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        auto* memo = f.find<QPlainTextEdit>("BCB_PropertyFlagsDescript_Memo");
        QTest::mouseClick(memo, Qt::LeftButton);
        QTest::keyClicks(memo, QStringLiteral(" Lost."));
        QVERIFY(f.catalogue.exec(QStringLiteral("drop table Structure_Member_Flags")));

        QVERIFY(!f.main->close());
        QCOMPARE(f.boxes.texts().size(), 1);
        QVERIFY(f.boxes.texts().first().contains(QStringLiteral("Close the window again to discard it.")));
        QVERIFY(f.main->isVisible());

        QVERIFY(f.main->close());
        QCOMPARE(f.boxes.texts().size(), 2);
    }

    void aNewRowIsStoredOnlyWhenTheUserFilledIt()
    {
        MainFormFixture f(false);
        f.showStructuresEditPage();
        // Untouched new rows are dropped with the closing tables.
        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QCOMPARE(f.catalogue.rowCount("Structures"), 0);
        QCOMPARE(f.catalogue.rowCount("Structure_Members"), 0);

        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("TNewOne"));
        QVERIFY(f.goToTraceWindow());
        QCOMPARE(f.catalogue.rowCount("Structures"), 1);
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", 1, "BCB_Name").toString(), QStringLiteral("TNewOne"));
        QCOMPARE(f.catalogue.rowCount("Structure_Members"), 0);
        QCOMPARE(f.catalogue.rowCount("Structure_Member_Flags"), 0);
    }

    void clearAllStructuresWarnsThenEmptiesTheCatalogue()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        QTest::mouseClick(f.find<QPushButton>("BitBtn3"), Qt::LeftButton);
        QCOMPARE(f.boxes.texts(), QStringList{QStringLiteral("NOTE: Clearing _ALL_ Structures, Methods, Flags, etc.")});
        QCOMPARE(f.boxes.boxes().first().icon, velmora::app::MessageBox::NoIcon);
        QCOMPARE(f.catalogue.rowCount("Structures"), 0);
        QCOMPARE(f.catalogue.rowCount("Structure_Member_Flags"), 0);
        QCOMPARE(f.find<QComboBox>("BCB_ComboBox")->count(), 0);
        QCOMPARE(f.find<QLineEdit>("BCB_ObjectName_Edit")->text(), QString());
    }

    void aClearThatFailsOnOneTableLeavesAllThree()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        QVERIFY(f.catalogue.exec(QStringLiteral("CREATE TRIGGER keep_flags BEFORE DELETE ON Structure_Member_Flags "
                                                "BEGIN SELECT RAISE(ABORT, 'flags are protected'); END")));
        QTest::mouseClick(f.find<QPushButton>("BitBtn3"), Qt::LeftButton);
        QCOMPARE(f.boxes.texts().size(), 2);
        QVERIFY2(f.boxes.texts().last().contains(QStringLiteral("flags are protected")), qPrintable(f.boxes.texts().last()));
        QCOMPARE(f.catalogue.rowCount("Structures"), 2);
        QCOMPARE(f.catalogue.rowCount("Structure_Members"), 2);
        QCOMPARE(f.catalogue.rowCount("Structure_Member_Flags"), 1);
        // The controls show the stored rows again, not the emptied ones.
        QCOMPARE(f.find<QLineEdit>("BCB_ObjectName_Edit")->text(), QStringLiteral("TDDSurfaceDesc"));
    }

    void importFromEitherPageReportsOnTheStructuresPagesLabel()
    {
        MainFormFixture f;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("untyped.txt"));
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("Nothing but prose\n");
        }
        velmora::app::FileDialogScript dialog;
        dialog.cancelNext();
        dialog.chooseNext(file);

        auto* debugLabel = f.find<QLabel>("DebugLabel");
        auto* import = f.find<QPushButton>("BitBtn2");   // the Interfaces copy's button
        QTest::mouseClick(import, Qt::LeftButton);
        QCOMPARE(debugLabel->text(), QStringLiteral("DebugLabel"));   // cancelled
        QCOMPARE(velmora::testing::traceLines(f.trace).lineCount(), 0);

        QTest::mouseClick(import, Qt::LeftButton);
        QCOMPARE(dialog.asked().size(), 2);
        QCOMPARE(dialog.asked().last().filter, QStringLiteral("Text Files (*.txt)|*.TXT"));
        QCOMPARE(debugLabel->text(), QStringLiteral("AN ERROR OCCURRED. Check debug output for details..."));
        QCOMPARE(f.find<QLabel>("Label35")->text(), QStringLiteral("DebugLabel"));
        QVERIFY(f.trace.isVisible());
        auto& lines = velmora::testing::traceLines(f.trace);
        QCOMPARE(QString::fromUtf8(lines.line(lines.lineCount() - 1)), QStringLiteral("Error Line: Nothing but prose"));
        QVERIFY(f.boxes.boxes().isEmpty());
    }

    void aParsedStructuresFileIsSavedAndListedAtTheNextRefill()
    {
        MainFormFixture f;
        velmora::app::FileDialogScript dialog;
        dialog.chooseNext(velmora::testing::testDataPath(QStringLiteral("structures/union_and_flags.txt")));
        QTest::mouseClick(f.find<QPushButton>("BitBtn7"), Qt::LeftButton);

        const QString done = QStringLiteral("Done. All structures were imported successfully!");
        QCOMPARE(f.find<QLabel>("DebugLabel")->text(), done);
        auto& lines = velmora::testing::traceLines(f.trace);
        QCOMPARE(QString::fromUtf8(lines.line(lines.lineCount() - 1)), done);
        QVERIFY(!f.trace.isVisible());
        QCOMPARE(f.catalogue.rowCount("Structures"), 4);
        QCOMPARE(f.catalogue.rowCount("Structure_Members"), 2 + 7);
        QCOMPARE(f.catalogue.rowCount("Structure_Member_Flags"), 1 + 5);
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", 3, "Foundation_Class_Index").toInt(),
                 f.catalogue.foundationClass("DirectDraw"));

        // The lists show the new rows at their next fill, not before.
        auto* structures = f.find<QComboBox>("DirectX_ComboBox");
        QCOMPARE(structures->count(), 2);
        QVERIFY(f.goToTraceWindow());
        QVERIFY(f.backToMainWindow());
        QStringList names;
        for (int i = 0; i < structures->count(); ++i)
            names << structures->itemText(i);
        QCOMPARE(names, QStringList({"DDBLTFX", "DDCAPS", "DDSCAPS2", "DDSURFACEDESC"}));
        QCOMPARE(f.find<QComboBox>("BCB_ComboBox")->itemText(0), QStringLiteral("ddbltfx"));
    }
};

QTEST_MAIN(TestMainFormActivation)
#include "test_main_form_activation.moc"
