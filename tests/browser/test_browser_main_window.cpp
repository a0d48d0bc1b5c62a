// The browser on the real main window: choices, linking, posting on exit,
// focus moves, the trace window and clearing, driven by clicks and keys.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "support/UserActions.h"
#include "app/FileDialog.h"
#include "support/MainFormFixture.h"
#include "support/TempCatalogueEnv.h"

using velmora::testing::choose;
using velmora::testing::Driver;
using velmora::testing::items;

namespace {

const QString QuotedFlag = QStringLiteral("DDBLTFX_MIRRORUPDOWN Mirrors the source 'upside down'.");

// The catalogue rows, then the window over them, shown and active.
struct Window : velmora::testing::MainWindowUnderTest {
    int ddcaps = 0, ddbltfx = 0, ddcolorkey = 0;
    int capsSize = 0, capsCaps = 0, bltSize = 0, capsCaps2 = 0, caps3D = 0, quotedFlag = 0;

    explicit Window(Driver driver) : MainWindowUnderTest(driver)
    {
        // DDCAPS first: its dwSize has the lower number of the two.
        ddcaps = catalogue.addStructure("DDCAPS", "TDDCaps", "Driver capabilities.");
        capsSize = catalogue.addMember(ddcaps, "dwSize", "CapsSize", "Size of DDCAPS.");
        capsCaps = catalogue.addMember(ddcaps, "dwCaps", "Caps", "Capabilities.");
        capsCaps2 = catalogue.addMember(ddcaps, "dwCaps2", "Caps2", "More capabilities.");
        caps3D = catalogue.addFlag(capsCaps, "DDCAPS_3D", "3D acceleration.");
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

    // Clicks an item of a status group on the edit page; nothing leaves the group yet.
    void clickStatus(const char* group, int code) const
    {
        auto* item = find<QWidget>(group)->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).at(code);
        QTest::mouseClick(item, Qt::LeftButton);
        QTRY_VERIFY(item->isChecked());
    }

    // DDCAPS, its dwCaps and the flag DDCAPS_3D become the rows shown.
    void showCapsRows() const
    {
        showStructuresViewPage();
        choose(combo("DirectX_ComboBox"), 1);
        choose(combo("DirectX_StructureMember_ComboBox"), 0);
        choose(combo("DirectX_MemberFlags_ComboBox"), 0);
    }
};

bool hasFocus(QWidget* target)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == target || target->isAncestorOf(focus));
}

} // namespace

// How each engine is made to refuse a write, and the words it refuses with.
struct Refusal {
    QString add;
    QString lift;
    QString says;
};

Refusal readOnlyStructures(Driver driver)
{
    if (driver == Driver::Postgres)
        return {QStringLiteral("alter table Structures add constraint structures_are_read_only "
                               "check (Conversion_Status = 0) not valid"),
                QStringLiteral("alter table Structures drop constraint structures_are_read_only"),
                QStringLiteral("structures_are_read_only")};
    return {QStringLiteral("create trigger refuse before update on Structures "
                           "begin select raise(abort, 'Structures are read-only'); end"),
            QStringLiteral("drop trigger refuse"), QStringLiteral("Structures are read-only")};
}

Refusal noNewMembers(Driver driver)
{
    if (driver == Driver::Postgres)
        return {QStringLiteral("alter table Structure_Members add constraint no_new_members check (false) not valid"),
                QStringLiteral("alter table Structure_Members drop constraint no_new_members"),
                QStringLiteral("no_new_members")};
    return {QStringLiteral("create trigger refuse before insert on Structure_Members "
                           "begin select raise(abort, 'no new members'); end"),
            QStringLiteral("drop trigger refuse"), QStringLiteral("no new members")};
}

// The whole suite runs once on each driver.
class BrowserMainWindowTest : public QObject {
    Q_OBJECT

public:
    explicit BrowserMainWindowTest(Driver driver) : driver_(driver) {}

private:
    Driver driver_;

private slots:
    void initTestCase() { qInfo("catalogue driver: %s", velmora::testing::driverName(driver_)); }

    void choicesCascadeAndTheBoundControlsFollow()
    {
        Window w(driver_);
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

    void aChoiceKeepsWhatTheUserTypedAndClicked_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("otherEntry");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("caps");   // the number of the row shown, under DDCAPS
        QTest::newRow("structure") << "BCB_ObjectDescription_Memo" << "BCB_ObjectStatus" << "DirectX_ComboBox" << 0
                                   << "Structures" << "Structure_Index" << 0;
        QTest::newRow("member") << "BCB_PropertyDescription_Memo" << "DBRadioGroup2"
                                << "DirectX_StructureMember_ComboBox" << 1 << "Structure_Members" << "Member_Index" << 1;
        QTest::newRow("flag") << "BCB_PropertyFlagsDescript_Memo" << "DBRadioGroup3" << "DirectX_MemberFlags_ComboBox"
                              << 1 << "Structure_Member_Flags" << "Flag_Index" << 2;
    }

    void aChoiceKeepsWhatTheUserTypedAndClicked()
    {
        QFETCH(QString, memo);
        QFETCH(QString, group);
        QFETCH(QString, list);
        QFETCH(int, otherEntry);
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(int, caps);
        Window w(driver_);
        w.showCapsRows();
        const int row = QList<int>{w.ddcaps, w.capsCaps, w.caps3D}.at(caps);

        w.showStructuresEditPage();
        auto* description = w.find<QPlainTextEdit>(qPrintable(memo));
        QTest::mouseClick(description->viewport(), Qt::LeftButton);
        QTest::keyClicks(description, QStringLiteral(" Typed."));
        w.clickStatus(qPrintable(group), 1);
        w.showStructuresViewPage();
        choose(w.combo(qPrintable(list)), otherEntry);

        const QByteArray tableName = table.toLatin1(), keyName = key.toLatin1();
        QVERIFY(w.stored(tableName, keyName, row, "BCB_Description").endsWith(QStringLiteral(" Typed.")));
        QCOMPARE(w.stored(tableName, keyName, row, "Conversion_Status"), QStringLiteral("1"));
        QCOMPARE(w.combo(qPrintable(list))->currentIndex(), otherEntry);
        QVERIFY(w.boxes.boxes().isEmpty());
    }

    void aChoiceWhoseChangeCannotBePostedStaysOnTheRowShown()
    {
        Window w(driver_);
        w.showCapsRows();
        const Refusal refusal = readOnlyStructures(driver_);
        QVERIFY2(w.catalogue.exec(refusal.add), qPrintable(w.catalogue.lastError()));
        w.showStructuresEditPage();
        w.clickStatus("BCB_ObjectStatus", 1);
        w.showStructuresViewPage();
        choose(w.combo("DirectX_ComboBox"), 0);   // DDBLTFX

        QTRY_COMPARE(w.boxes.boxes().size(), 1);
        QVERIFY2(w.boxes.texts().first().contains(refusal.says), qPrintable(w.boxes.texts().first()));
        QCOMPARE(w.combo("DirectX_ComboBox")->currentText(), QStringLiteral("DDCAPS"));
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDCaps"));
        QCOMPARE(w.stored("Structures", "Structure_Index", w.ddcaps, "Conversion_Status"), QStringLiteral("0"));

        // The change is still waiting; once the catalogue takes it, the next choice posts it.
        QVERIFY2(w.catalogue.exec(refusal.lift), qPrintable(w.catalogue.lastError()));
        choose(w.combo("DirectX_ComboBox"), 0);
        QCOMPARE(w.stored("Structures", "Structure_Index", w.ddcaps, "Conversion_Status"), QStringLiteral("1"));
        QCOMPARE(w.find<QLineEdit>("DirectX_StructureName_Edit")->text(), QStringLiteral("TDDBltFX"));
    }

    void aFailedImportCannotTakeTheUsersChangeAlong()
    {
        Window w(driver_);
        w.showCapsRows();
        QVERIFY2(w.catalogue.exec(noNewMembers(driver_).add), qPrintable(w.catalogue.lastError()));
        w.showStructuresEditPage();
        w.clickStatus("BCB_ObjectStatus", 1);
        w.showStructuresViewPage();
        velmora::app::FileDialogScript dialog;
        dialog.chooseNext(velmora::testing::testDataPath(QStringLiteral("structures/union_and_flags.txt")));
        QTest::keyClick(w.main.get(), Qt::Key_I, Qt::AltModifier);   // "&Import Structures", the focus stays

        QTRY_COMPARE(w.boxes.boxes().size(), 1);
        QCOMPARE(w.catalogue.rowCount("Structures"), 3);   // the import was undone...
        QCOMPARE(w.stored("Structures", "Structure_Index", w.ddcaps, "Conversion_Status"), QStringLiteral("1"));
    }

    void aStructureWithFewerMembersLeavesTheMemberShowing()
    {
        Window w(driver_);
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
        Window w(driver_);
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
        Window w(driver_);
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
        Window w(driver_);
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
        Window w(driver_);
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
        Window w(driver_);
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
        Window w(driver_);
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

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int failed = 0;
    for (const Driver driver : {Driver::Embedded, Driver::Postgres}) {
        BrowserMainWindowTest test(driver);
        failed += QTest::qExec(&test, argc, argv);
    }
    return failed;
}
#include "test_browser_main_window.moc"
