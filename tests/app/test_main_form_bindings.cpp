#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/MainFormFixture.h"
#include "support/UserActions.h"
#include "app/controls/DBRadioGroup.h"

using velmora::app::DBRadioGroup;
using velmora::testing::MainFormFixture;
using velmora::testing::typeOver;

namespace {

// The caption of the checked item of a status group, empty when none is.
QString checkedItem(const DBRadioGroup* group)
{
    for (const QRadioButton* button : group->findChildren<QRadioButton*>())
        if (button->isChecked())
            return button->text();
    return {};
}

} // namespace

// The data-aware controls of both page pairs, the status groups, the default
// buttons and the label clicks, on the real window.
class TestMainFormBindings : public QObject {
    Q_OBJECT

private slots:
    void bothPagePairsShowTheCurrentRows()
    {
        MainFormFixture f;
        // The window opens on the Interfaces copy: it shows the same rows.
        QCOMPARE(f.find<QLineEdit>("DBEdit1")->text(), QStringLiteral("TDDSurfaceDesc"));
        QCOMPARE(f.find<QPlainTextEdit>("DBMemo1")->toPlainText(), QStringLiteral("Describes a surface."));
        QCOMPARE(f.find<QLineEdit>("DBEdit4")->text(), QStringLiteral("Size"));
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup1")), QStringLiteral("Completed"));
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup7")), QStringLiteral("No Methods Completed"));

        f.showStructuresViewPage();
        // The view page shows BCB_Name, not the DirectX name, and takes no changes.
        auto* name = f.find<QLineEdit>("DirectX_StructureName_Edit");
        QCOMPARE(name->text(), QStringLiteral("TDDSurfaceDesc"));
        QVERIFY(name->isReadOnly());
        QCOMPARE(name->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(f.find<QLineEdit>("DirectX_StructureMember_Edit")->text(), QStringLiteral("Size"));
        QCOMPARE(f.find<QPlainTextEdit>("DirectX_StructureMember_Memo")->toPlainText(),
                 QStringLiteral("Size of the structure."));
        QCOMPARE(f.find<QPlainTextEdit>("DirectX_MemberFlagsDesc_Memo")->toPlainText(),
                 QStringLiteral("ddsCaps is valid."));
        // A code no item stands for checks nothing.
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup6")), QString());

        f.showStructuresEditPage();
        QCOMPARE(f.find<QLineEdit>("BCB_ObjectName_Edit")->text(), QStringLiteral("TDDSurfaceDesc"));
        QVERIFY(!f.find<QLineEdit>("BCB_ObjectName_Edit")->isReadOnly());
        QCOMPARE(f.find<QPlainTextEdit>("BCB_PropertyDescription_Memo")->toPlainText(),
                 QStringLiteral("Size of the structure."));
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup2")), QStringLiteral("No Methods Completed"));

        // Choosing in the view page's list moves the table; every page follows.
        f.showStructuresViewPage();
        auto* structures = f.find<QComboBox>("DirectX_ComboBox");
        QCOMPARE(structures->itemText(0), QStringLiteral("DDCAPS"));
        structures->setFocus();
        QTest::keyClick(structures, Qt::Key_Down);   // the user's choices: entry 1, then entry 0
        QTest::keyClick(structures, Qt::Key_Up);
        QCOMPARE(name->text(), QStringLiteral("TDDCaps"));
        QCOMPARE(f.find<QLineEdit>("DBEdit3")->text(), QStringLiteral("TDDCaps"));
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup4")), QStringLiteral("Not Completed"));
        QVERIFY(f.boxes.boxes().isEmpty());
    }

    void choosingNotCompletedThenLeavingTheNameFieldStoresCode1()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        auto* notCompleted = f.find<QRadioButton>("BCB_ObjectStatus_Item1");
        QTest::mouseClick(notCompleted, Qt::LeftButton);
        QVERIFY(notCompleted->isChecked());
        QVERIFY(notCompleted->hasFocus());

        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        QTest::mouseClick(name, Qt::LeftButton);
        QVERIFY(name->hasFocus());
        // Written into the row, not yet stored.
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "Conversion_Status").toInt(), 0);

        QTest::keyClick(name, Qt::Key_Tab);
        QVERIFY(!name->hasFocus());
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "Conversion_Status").toInt(), 1);
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup4")), QStringLiteral("Not Completed"));
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup9")), QStringLiteral("Not Completed"));
        QVERIFY(f.boxes.boxes().isEmpty());
    }

    void aNameTypedIntoTheEditPageIsStoredOnLeavingAndListed()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        QCOMPARE(name->maxLength(), 255);   // the field's size
        typeOver(name, QString(300, QLatin1Char('x')));
        QCOMPARE(name->text().size(), 255);
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("TSurface"));
        // Another control of the same table shows the stored row until it is written.
        QCOMPARE(f.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDSurfaceDesc"));

        QTest::mouseClick(f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo"), Qt::LeftButton);
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(),
                 QStringLiteral("TSurface"));
        auto* bcbList = f.find<QComboBox>("BCB_ComboBox");
        QCOMPARE(bcbList->findText(QStringLiteral("TSurface")), 1);   // listed by Structure_Name, DDCAPS first
        QCOMPARE(f.find<QComboBox>("DirectX_ComboBox")->itemText(1), QStringLiteral("DDSURFACEDESC"));
    }

    void theViewPageStatusGroupCannotBeChanged()
    {
        MainFormFixture f;
        f.showStructuresViewPage();
        auto* notCompleted = f.find<QRadioButton>("DBRadioGroup4_Item1");
        QTest::mouseClick(notCompleted, Qt::LeftButton);
        QTest::keyClick(notCompleted, Qt::Key_Space);
        QVERIFY(!notCompleted->isChecked());
        QCOMPARE(checkedItem(f.find<DBRadioGroup>("DBRadioGroup4")), QStringLiteral("Completed"));
        QTest::mouseClick(f.find<QComboBox>("DirectX_ComboBox"), Qt::LeftButton);
        f.goToTraceWindow();
        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "Conversion_Status").toInt(), 0);
    }

    void enterPressesThePagesDefaultButton()
    {
        MainFormFixture f;
        f.showStructuresViewPage();
        auto* combo = f.find<QComboBox>("DirectX_ComboBox");
        const int entries = combo->count();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(f.boxes.texts(), QStringList{QStringLiteral("Not Yet Implemented")});
        QCOMPARE(combo->count(), entries);   // the typed text is not added to the list

        f.boxes.clear();
        auto* name = f.find<QLineEdit>("DirectX_StructureName_Edit");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClick(name, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.boxes.texts(), QStringList({"Not Yet Implemented"}));
        QTest::keyClick(name, Qt::Key_N, Qt::AltModifier);   // the mnemonic clicks a moment later
        QTRY_COMPARE(f.boxes.texts(), QStringList({"Not Yet Implemented", "Not Yet Implemented"}));

        // A status item passes Enter on to the default button; a focused button answers it itself.
        f.boxes.clear();
        auto* item = f.find<QRadioButton>("DBRadioGroup4_Item0");
        item->setFocus();
        QTest::keyClick(item, Qt::Key_Return);
        QCOMPARE(f.boxes.texts(), QStringList({"Not Yet Implemented"}));
        auto* unlink = f.find<QPushButton>("BitBtn9");
        unlink->setFocus();
        QTest::keyClick(unlink, Qt::Key_Return);
        QCOMPARE(f.find<QLabel>("LinkedLabel")->text(), QStringLiteral("Linked: False"));
        QCOMPARE(f.boxes.texts(), QStringList({"Not Yet Implemented"}));

        // The edit page's default button has no handler; a memo takes Enter as a new line.
        f.boxes.clear();
        f.showStructuresEditPage();
        auto* bcbCombo = f.find<QComboBox>("BCB_ComboBox");
        bcbCombo->setFocus();
        QTest::keyClick(bcbCombo, Qt::Key_Return);
        QTest::keyClick(bcbCombo, Qt::Key_N, Qt::AltModifier);
        QTest::qWait(200);
        auto* memo = f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo");
        QTest::mouseClick(memo, Qt::LeftButton);
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        QVERIFY(memo->hasFocus());
        QCOMPARE(memo->toPlainText(), QStringLiteral("Describes a surface.\n"));
        QVERIFY(f.boxes.texts().isEmpty());

        // On the Interfaces copy the view page's button runs the same handler.
        f.showPage("DirectDrawPages", "TabSheet5");
        f.showPage("PageControl1", "TabSheet11");
        auto* copy = f.find<QComboBox>("ComboBox2");
        copy->setFocus();
        QTest::keyClick(copy, Qt::Key_Return);
        QCOMPARE(f.boxes.texts(), QStringList{QStringLiteral("Not Yet Implemented")});
    }

    void tabFollowsTheEditPagesOrder()
    {
        // A status group is one stop: Qt puts the focus on one of its items.
        MainFormFixture f;
        f.showStructuresEditPage();
        f.find<QComboBox>("BCB_ComboBox")->setFocus();
        QStringList visited;
        for (int i = 0; i < 16; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            visited << (qobject_cast<QRadioButton*>(focus) ? focus->parentWidget() : focus)->objectName();
        }
        QCOMPARE(visited, QStringList({"BCB_ObjectName_Edit", "BCB_ObjectDescription_Memo",
                                       "BCB_ObjectProperty_ComboBox", "BCB_PropertyName_Edit",
                                       "BCB_PropertyDescription_Memo", "BCB_PropertyFlags_ComboBox",
                                       "BCB_PropertyFlagsDescript_Memo", "BCB_ObjectStatus",
                                       "DBRadioGroup2", "DBRadioGroup3", "BitBtn11", "BitBtn12",
                                       "BitBtn15", "BitBtn14", "BitBtn4", "BitBtn3"}));
    }

    void labelClicksMoveTheFocusToTheStructuresEditPage()
    {
        MainFormFixture f;
        f.showStructuresEditPage();
        QTest::mouseClick(f.find<QLabel>("Label16"), Qt::LeftButton);
        QVERIFY(f.find<QComboBox>("BCB_PropertyFlags_ComboBox")->hasFocus());
        QTest::mouseClick(f.find<QLabel>("Label6"), Qt::LeftButton);
        QVERIFY(f.find<QLineEdit>("BCB_ObjectName_Edit")->hasFocus());
        QVERIFY(f.boxes.boxes().isEmpty());

        // The copy's label aims at the same control, which is hidden there.
        f.showPage("DirectDrawPages", "TabSheet5");
        f.showPage("PageControl1", "TabSheet15");
        QTest::mouseClick(f.find<QLabel>("Label42"), Qt::LeftButton);
        QCOMPARE(f.boxes.texts(), QStringList{QStringLiteral("Cannot focus a disabled or invisible window.")});
        QCOMPARE(f.boxes.boxes().first().icon, velmora::app::MessageBox::Error);
        // Alt with a label's letter is shown only.
        QCOMPARE(f.find<QLabel>("Label42")->text(), QStringLiteral("Select the &Flag to edit:"));
    }
};

QTEST_MAIN(TestMainFormBindings)
#include "test_main_form_bindings.moc"
