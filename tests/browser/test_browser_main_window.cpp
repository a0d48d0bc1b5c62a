// The browser on the real main window: choices, linking, posting on exit,
// focus moves, the trace window and clearing, driven by clicks and keys.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "UserActions.h"
#include "app/MainFormFixture.h"

using velmora::testing::choose;
using velmora::testing::items;

namespace {

const QString QuotedFlag = QStringLiteral("DDBLTFX_MIRRORUPDOWN Mirrors the source 'upside down'.");

// The catalogue rows, then the window over them, shown and active.
struct Window : velmora::testing::MainWindowUnderTest {
    int ddcaps = 0, ddbltfx = 0, ddcolorkey = 0;
    int capsSize = 0, bltSize = 0, capsCaps2 = 0, quotedFlag = 0;

    Window()
    {
        // DDCAPS first: its dwSize has the lower number of the two.
        ddcaps = catalogue.addStructure("DDCAPS", "TDDCaps", "Driver capabilities.");
        capsSize = catalogue.addMember(ddcaps, "dwSize", "CapsSize", "Size of DDCAPS.");
        const int capsCaps = catalogue.addMember(ddcaps, "dwCaps", "Caps", "Capabilities.");
        capsCaps2 = catalogue.addMember(ddcaps, "dwCaps2", "Caps2", "More capabilities.");
        catalogue.addFlag(capsCaps, "DDCAPS_3D", "3D acceleration.");
        catalogue.addFlag(capsCaps, "DDCAPS_BLT", "Blits.");
        catalogue.addFlag(capsCaps2, "DDCAPS2_CERTIFIED", "Certified.");
        ddbltfx = catalogue.addStructure("DDBLTFX", "TDDBltFX", "Blit effects.");
        bltSize = catalogue.addMember(ddbltfx, "dwSize", "BltSize", "Size of DDBLTFX.");
        const int bltDDFX = catalogue.addMember(ddbltfx, "dwDDFX", "DDFX", "Effects.");
        catalogue.addFlag(bltDDFX, "DDBLTFX_ARITHSTRETCHY", "Stretches.");
        quotedFlag = catalogue.addFlag(bltDDFX, QuotedFlag, "Mirrors up and down.");
        ddcolorkey = catalogue.addStructure("DDCOLORKEY", "TDDColorKey", "A colour key.");
        catalogue.addMember(ddcolorkey, "dwColorSpaceLowValue", "LowValue", "Low end.");
        open();
    }

    QComboBox* combo(const char* name) const { return find<QComboBox>(name); }

    void click(const char* button) const { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    // Replaces a field's text as the user would and leaves it with Tab.
    void retype(const char* field, const QString& text) const
    {
        auto* edit = find<QLineEdit>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
    }

    // Enters a field and leaves it with Tab, typing nothing.
    void passThrough(const char* field) const
    {
        auto* edit = find<QLineEdit>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
    }

    QString stored(const char* table, const char* key, int number, const char* field)
    {
        return catalogue.stored(table, key, number, field).toString();
    }
};

bool hasFocus(QWidget* target)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == target || target->isAncestorOf(focus));
}

} // namespace

class BrowserMainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void choicesCascadeAndTheBoundControlsFollow()
    {
        Window w;
        w.showStructuresViewPage();
        QCOMPARE(items(w.combo("DirectX_ComboBox")), QStringList({"DDBLTFX", "DDCAPS", "DDCOLORKEY"}));
        QCOMPARE(items(w.combo("BCB_ComboBox")), QStringList({"TDDBltFX", "TDDCaps", "TDDColorKey"}));

        choose(w.combo("DirectX_ComboBox"), 1);
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDCaps"));
        QCOMPARE(items(w.combo("DirectX_StructureMember_ComboBox")), QStringList({"dwCaps", "dwCaps2", "dwSize"}));
        QCOMPARE(items(w.combo("BCB_ObjectProperty_ComboBox")), QStringList({"Caps", "Caps2", "CapsSize"}));

        choose(w.combo("DirectX_StructureMember_ComboBox"), 0);
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureMember_Edit")->text(), QStringLiteral("Caps"));
        QCOMPARE(w.combo("BCB_ObjectProperty_ComboBox")->currentText(), QStringLiteral("Caps"));
        QCOMPARE(items(w.combo("DirectX_MemberFlags_ComboBox")), QStringList({"DDCAPS_3D", "DDCAPS_BLT"}));

        choose(w.combo("DirectX_MemberFlags_ComboBox"), 1);
        QCOMPARE(w.find<QPlainTextEdit>("DirectX_MemberFlagsDesc_Memo")->toPlainText(), QStringLiteral("Blits."));
        QCOMPARE(w.combo("BCB_PropertyFlags_ComboBox")->currentText(), QStringLiteral("DDCAPS_BLT"));

        // Positions carry over: DDBLTFX's member 0 and its flag 1, whose name holds quotes.
        choose(w.combo("DirectX_ComboBox"), 0);
        QCOMPARE(w.combo("DirectX_StructureMember_ComboBox")->currentText(), QStringLiteral("dwDDFX"));
        QCOMPARE(w.combo("DirectX_MemberFlags_ComboBox")->currentText(), QuotedFlag);
        QCOMPARE(w.find<QPlainTextEdit>("DirectX_MemberFlagsDesc_Memo")->toPlainText(),
                 QStringLiteral("Mirrors up and down."));

        // dwSize under DDBLTFX is DDBLTFX's own, not DDCAPS's older one.
        choose(w.combo("DirectX_StructureMember_ComboBox"), 1);
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureMember_Edit")->text(), QStringLiteral("BltSize"));
        QVERIFY(w.boxes.boxes().isEmpty());
    }

    void aStructureWithFewerMembersLeavesTheMemberShowing()
    {
        Window w;
        w.showStructuresViewPage();
        choose(w.combo("DirectX_ComboBox"), 1);                 // DDCAPS
        choose(w.combo("DirectX_StructureMember_ComboBox"), 1); // dwCaps2
        choose(w.combo("DirectX_ComboBox"), 2);                 // DDCOLORKEY: one member
        auto* members = w.combo("DirectX_StructureMember_ComboBox");
        QCOMPARE(items(members), QStringList({"dwColorSpaceLowValue"}));
        QCOMPARE(members->currentIndex(), -1);
        QCOMPARE(members->currentText(), QString());
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDColorKey"));
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureMember_Edit")->text(), QStringLiteral("Caps2"));
        QCOMPARE(items(w.combo("DirectX_MemberFlags_ComboBox")), QStringList({"DDCAPS2_CERTIFIED"}));
    }

    void linkButtonsAndWhatTheyDecide()
    {
        Window w;
        w.showStructuresViewPage();
        auto* label = w.find<QLabel>("LinkedLabel");
        QCOMPARE(label->text(), QStringLiteral("LinkedLabel"));
        w.click("BitBtn9");
        QCOMPARE(label->text(), QStringLiteral("Linked: False"));

        // Unlinked on the view page: the edit page's member list is left alone.
        choose(w.combo("DirectX_ComboBox"), 1);
        QCOMPARE(w.combo("DirectX_StructureMember_ComboBox")->count(), 3);
        QCOMPARE(w.combo("BCB_ObjectProperty_ComboBox")->count(), 0);

        // Unlinked on the edit page: a posted name refills the edit page's structure list only.
        w.catalogue.addStructure("DDARGB", "TDDArgb", "Alpha.");
        w.showStructuresEditPage();
        w.retype("BCB_ObjectName_Edit", QStringLiteral("TDirectDrawCaps"));
        QCOMPARE(items(w.combo("BCB_ComboBox")), QStringList({"TDDArgb", "TDDBltFX", "TDirectDrawCaps", "TDDColorKey"}));
        QCOMPARE(w.combo("BCB_ComboBox")->currentIndex(), 1);   // the view list's position
        QCOMPARE(items(w.combo("DirectX_ComboBox")), QStringList({"DDBLTFX", "DDCAPS", "DDCOLORKEY"}));

        w.click("BitBtn8");
        QCOMPARE(label->text(), QStringLiteral("Linked: True"));
        w.click("BitBtn8");
        QCOMPARE(label->text(), QStringLiteral("Linked: True"));
        w.retype("BCB_ObjectName_Edit", QStringLiteral("TDDCaps"));
        QCOMPARE(w.combo("DirectX_ComboBox")->count(), 4);
    }

    void leavingAFieldPostsAndRefillsOnlyWhenSomethingChanged()
    {
        Window w;
        w.showStructuresViewPage();
        choose(w.combo("DirectX_ComboBox"), 0);   // DDBLTFX
        w.catalogue.addStructure("DDARGB", "TDDArgb", "Alpha.");   // only a refill can show it

        w.showStructuresEditPage();
        w.passThrough("BCB_ObjectName_Edit");
        QCOMPARE(w.combo("BCB_ComboBox")->count(), 3);

        w.retype("BCB_ObjectName_Edit", QStringLiteral("TDirectDrawBltFX"));
        QCOMPARE(w.stored("Structures", "Structure_Index", w.ddbltfx, "BCB_Name"), QStringLiteral("TDirectDrawBltFX"));
        QCOMPARE(items(w.combo("BCB_ComboBox")), QStringList({"TDDArgb", "TDirectDrawBltFX", "TDDCaps", "TDDColorKey"}));
        QCOMPARE(w.combo("DirectX_ComboBox")->itemText(1), QStringLiteral("DDBLTFX"));

        // The member level likewise.
        w.showStructuresViewPage();
        choose(w.combo("DirectX_StructureMember_ComboBox"), 1);   // dwSize
        w.showStructuresEditPage();
        w.retype("BCB_PropertyName_Edit", QStringLiteral("StructSize"));
        QCOMPARE(w.stored("Structure_Members", "Member_Index", w.bltSize, "BCB_Name"), QStringLiteral("StructSize"));
        QCOMPARE(items(w.combo("BCB_ObjectProperty_ComboBox")), QStringList({"DDFX", "StructSize"}));
        QCOMPARE(items(w.combo("DirectX_StructureMember_ComboBox")), QStringList({"dwDDFX", "dwSize"}));
        QVERIFY(w.boxes.boxes().isEmpty());
    }

    void theStructureListFollowsThePageShowingAtActivation()
    {
        Window w;
        w.showPage("DirectXFoundationClassPages", "TabSheet7");   // DirectSound: nothing imported
        w.trace.showTrace();
        QVERIFY(QTest::qWaitForWindowActive(&w.trace));
        w.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.main.get()));
        QTRY_COMPARE(w.combo("DirectX_ComboBox")->count(), 0);
        QCOMPARE(w.combo("BCB_ComboBox")->count(), 0);

        w.showPage("DirectXFoundationClassPages", "TabSheet6");   // a page switch refills nothing
        QCOMPARE(w.combo("DirectX_ComboBox")->count(), 0);
        w.showStructuresViewPage();
        QVERIFY(w.boxes.boxes().isEmpty());
    }

    void labelClicksMoveTheFocusOrReportWhyNot()
    {
        Window w;
        w.showStructuresEditPage();
        QTest::mouseClick(w.find<QLabel>("Label16"), Qt::LeftButton);
        QTRY_VERIFY(hasFocus(w.combo("BCB_PropertyFlags_ComboBox")));

        w.showPage("DirectDrawPages", "TabSheet5");
        w.showPage("PageControl1", "TabSheet15");
        QWidget* before = QApplication::focusWidget();
        QTest::mouseClick(w.find<QLabel>("Label42"), Qt::LeftButton);
        QTRY_COMPARE(w.boxes.texts(), QStringList{QStringLiteral("Cannot focus a disabled or invisible window.")});
        QCOMPARE(w.boxes.boxes().first().icon, velmora::app::MessageBox::Error);
        QCOMPARE(QApplication::focusWidget(), before);
    }

    void showDbgClosesTheCatalogueAndComingBackRefills()
    {
        Window w;
        w.showStructuresViewPage();
        choose(w.combo("DirectX_ComboBox"), 0);
        choose(w.combo("DirectX_StructureMember_ComboBox"), 1);
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDBltFX"));

        w.click("BitBtn4");
        QVERIFY(QTest::qWaitForWindowActive(&w.trace));
        QTRY_COMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QString());   // tables closed
        w.catalogue.addStructure("DDARGB", "TDDArgb", "Alpha.");

        w.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.main.get()));
        auto* structures = w.combo("DirectX_ComboBox");
        QTRY_COMPARE(structures->count(), 4);
        QCOMPARE(structures->currentIndex(), 0);
        // The member list is that of the structure chosen before, first entry selected.
        QCOMPARE(items(w.combo("DirectX_StructureMember_ComboBox")), QStringList({"dwDDFX", "dwSize"}));
        QCOMPARE(w.combo("DirectX_StructureMember_ComboBox")->currentIndex(), 0);
        // The tables reopen on their first rows by number.
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDCaps"));

        QVERIFY(w.trace.isVisible());
        w.click("BitBtn4");
        QTRY_VERIFY(!w.trace.isVisible());
        QVERIFY(w.main->isActiveWindow());
    }

    void clearingTwiceEmptiesTheCatalogueAndTheLists()
    {
        Window w;
        w.showStructuresViewPage();
        choose(w.combo("DirectX_ComboBox"), 1);
        choose(w.combo("DirectX_StructureMember_ComboBox"), 0);
        const QString note = QStringLiteral("NOTE: Clearing _ALL_ Structures, Methods, Flags, etc.");
        w.click("BitBtn3");
        w.click("BitBtn3");
        QCOMPARE(w.boxes.texts(), QStringList({note, note}));
        for (const char* table : {"Structures", "Structure_Members", "Structure_Member_Flags"})
            QCOMPARE(w.catalogue.rowCount(table), 0);
        QCOMPARE(w.catalogue.rowCount("Foundation_Classes"), 7);
        for (const char* name : {"DirectX_ComboBox", "DirectX_StructureMember_ComboBox", "DirectX_MemberFlags_ComboBox",
                                 "BCB_ComboBox", "BCB_ObjectProperty_ComboBox", "BCB_PropertyFlags_ComboBox"}) {
            QCOMPARE(w.combo(name)->count(), 0);
            QCOMPARE(w.combo(name)->currentText(), QString());
        }
        QCOMPARE(w.find<QLineEdit>("BCB_ObjectName_Edit")->text(), QString());
    }
};

QTEST_MAIN(BrowserMainWindowTest)
#include "test_browser_main_window.moc"
