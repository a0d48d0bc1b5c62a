// The browser's lists, choices, linking, exits, focus moves and clearing, on
// real widgets over a real catalogue.

#include <QtTest>

#include "BrowserFixture.h"

using velmora::testing::BrowserFixture;
using velmora::testing::choose;
using velmora::testing::items;

class BrowserListsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BrowserFixture> f;
    int directDraw = 0;
    int ddcaps = 0, ddbltfx = 0, ddcolorkey = 0;
    int capsCaps = 0, capsCaps2 = 0, capsSize = 0, bltDDFX = 0, bltSize = 0;
    int capsBlt = 0, bltQuoted = 0;
    const QString quoted = QStringLiteral("DDBLTFX_MIRRORUPDOWN Mirrors the source 'upside down'.");

private slots:
    void init()
    {
        f = std::make_unique<BrowserFixture>();
        auto& cat = f->cat;
        directDraw = cat.foundationClass(QStringLiteral("DirectDraw"));
        ddcaps = cat.addStructure(directDraw, QStringLiteral("DDCAPS"));
        capsSize = cat.addMember(ddcaps, QStringLiteral("dwSize"));
        capsCaps = cat.addMember(ddcaps, QStringLiteral("dwCaps"));
        capsCaps2 = cat.addMember(ddcaps, QStringLiteral("dwCaps2"));
        cat.addFlag(capsCaps, QStringLiteral("DDCAPS_3D"));
        capsBlt = cat.addFlag(capsCaps, QStringLiteral("DDCAPS_BLT"));
        cat.addFlag(capsCaps2, QStringLiteral("DDCAPS2_CERTIFIED"));
        ddbltfx = cat.addStructure(directDraw, QStringLiteral("DDBLTFX"));
        bltSize = cat.addMember(ddbltfx, QStringLiteral("dwSize"));
        bltDDFX = cat.addMember(ddbltfx, QStringLiteral("dwDDFX"));
        cat.addFlag(bltDDFX, QStringLiteral("DDBLTFX_ARITHSTRETCHY"));
        bltQuoted = cat.addFlag(bltDDFX, quoted);
        ddcolorkey = cat.addStructure(directDraw, QStringLiteral("DDCOLORKEY"));
        cat.addMember(ddcolorkey, QStringLiteral("dwColorSpaceLowValue"));
        const int sound = cat.addStructure(cat.foundationClass(QStringLiteral("DirectSound")), QStringLiteral("DSBCAPS"));
        cat.addMember(sound, QStringLiteral("dwSize"));
    }

    void cleanup() { f.reset(); }

    void activationListsTheShowingClassAndLeavesLowerListsEmpty()
    {
        f->activate();
        QCOMPARE(f->position.Current_Foundation_Class_Index, directDraw);
        QCOMPARE(items(f->c.DirectX_ComboBox),
                 QStringList({"DDBLTFX", "DDCAPS", "DDCOLORKEY"}));
        QCOMPARE(items(f->c.BCB_ComboBox), QStringList({"TDDBLTFX", "TDDCAPS", "TDDCOLORKEY"}));
        QCOMPARE(f->c.DirectX_ComboBox->currentText(), QStringLiteral("DDBLTFX"));
        // No structure has been looked up yet: nothing below it to list.
        for (QComboBox* box : {f->c.DirectX_StructureMember_ComboBox, f->c.DirectX_MemberFlags_ComboBox,
                               f->c.BCB_ObjectProperty_ComboBox, f->c.BCB_PropertyFlags_ComboBox}) {
            QCOMPARE(box->count(), 0);
            QCOMPARE(box->currentIndex(), -1);
            QCOMPARE(box->currentText(), QString());
        }

        // Another class showing at activation lists that class's structures.
        f->classPages->setCurrentIndex(1);
        QCOMPARE(f->position.Current_Foundation_Class_Index, f->cat.foundationClass(QStringLiteral("DirectSound")));
        QCOMPARE(f->c.DirectX_ComboBox->count(), 3);   // a page switch refills nothing
        f->activate();
        QCOMPARE(items(f->c.DirectX_ComboBox), QStringList({"DSBCAPS"}));
    }

    void choicesCascadeFromStructureToMemberToFlag()
    {
        f->show();
        f->activate();
        choose(f->c.DirectX_ComboBox, 1);
        QCOMPARE(f->position.Current_Structure_Index, ddcaps);
        QCOMPARE(f->structures.fieldAsString("Structure_Name"), QStringLiteral("DDCAPS"));
        QCOMPARE(items(f->c.DirectX_StructureMember_ComboBox),
                 QStringList({"dwCaps", "dwCaps2", "dwSize"}));
        QCOMPARE(items(f->c.BCB_ObjectProperty_ComboBox),
                 QStringList({"FdwCaps", "FdwCaps2", "FdwSize"}));
        QCOMPARE(f->c.DirectX_StructureMember_ComboBox->currentIndex(), -1);   // none was selected before

        choose(f->c.DirectX_StructureMember_ComboBox, 0);
        QCOMPARE(f->position.Current_Member_Index, capsCaps);
        QCOMPARE(f->members.fieldAsInteger("Member_Index"), capsCaps);
        QCOMPARE(f->c.BCB_ObjectProperty_ComboBox->currentText(), QStringLiteral("FdwCaps"));
        QCOMPARE(items(f->c.DirectX_MemberFlags_ComboBox),
                 QStringList({"DDCAPS_3D", "DDCAPS_BLT"}));

        choose(f->c.DirectX_MemberFlags_ComboBox, 1);
        QCOMPARE(f->flags.fieldAsInteger("Flag_Index"), capsBlt);
        QCOMPARE(f->c.BCB_PropertyFlags_ComboBox->currentIndex(), 1);

        // A new structure keeps the member and flag positions: dwDDFX, then the quoted flag.
        choose(f->c.DirectX_ComboBox, 0);
        QCOMPARE(f->position.Current_Structure_Index, ddbltfx);
        QCOMPARE(f->c.DirectX_StructureMember_ComboBox->currentText(), QStringLiteral("dwDDFX"));
        QCOMPARE(f->position.Current_Member_Index, bltDDFX);
        QCOMPARE(f->c.DirectX_MemberFlags_ComboBox->currentText(), quoted);
        QCOMPARE(f->c.BCB_PropertyFlags_ComboBox->currentText(), quoted);
        QCOMPARE(f->flags.fieldAsInteger("Flag_Index"), bltQuoted);
        QVERIFY(f->lastError.isEmpty());
        QCOMPARE(f->c.BCB_ComboBox->currentIndex(), 0);   // the edit page's structure is left alone
    }

    void aMemberNameSharedByTwoStructuresResolvesUnderTheChosenOne()
    {
        f->show();
        f->activate();
        choose(f->c.DirectX_ComboBox, 0);     // DDBLTFX, whose dwSize was stored after DDCAPS's
        choose(f->c.DirectX_StructureMember_ComboBox, 1);
        QCOMPARE(f->c.DirectX_StructureMember_ComboBox->currentText(), QStringLiteral("dwSize"));
        QCOMPARE(f->position.Current_Member_Index, bltSize);
        QCOMPARE(f->members.fieldAsInteger("Structure_Index"), ddbltfx);
    }

    void aStructureWithFewerMembersLeavesTheMemberWhereItWas()
    {
        f->show();
        f->activate();
        choose(f->c.DirectX_ComboBox, 1);                // DDCAPS
        choose(f->c.DirectX_StructureMember_ComboBox, 1); // dwCaps2
        QCOMPARE(f->position.Current_Member_Index, capsCaps2);

        choose(f->c.DirectX_ComboBox, 2);                // DDCOLORKEY, one member
        QCOMPARE(items(f->c.DirectX_StructureMember_ComboBox), QStringList({"dwColorSpaceLowValue"}));
        QCOMPARE(f->c.DirectX_StructureMember_ComboBox->currentIndex(), -1);
        QCOMPARE(f->c.DirectX_StructureMember_ComboBox->currentText(), QString());
        QCOMPARE(f->c.BCB_ObjectProperty_ComboBox->currentIndex(), -1);
        QCOMPARE(f->position.Current_Member_Index, capsCaps2);
        QCOMPARE(f->members.fieldAsInteger("Member_Index"), capsCaps2);
        QCOMPARE(items(f->c.DirectX_MemberFlags_ComboBox), QStringList({"DDCAPS2_CERTIFIED"}));
    }

    void typedTextIsNotAChoice()
    {
        f->show();
        f->activate();
        choose(f->c.DirectX_ComboBox, 1);
        f->c.DirectX_ComboBox->setFocus();
        f->c.DirectX_ComboBox->lineEdit()->selectAll();
        QTest::keyClicks(f->c.DirectX_ComboBox, QStringLiteral("DDNOTHING"));
        f->browser->DirectX_StructureMember_ComboBoxChange(f->c.DirectX_ComboBox);
        QCOMPARE(f->position.Current_Member_Index, 0);
        f->browser->FillStructureList();   // the typed text counts as no selection
        QCOMPARE(f->c.DirectX_ComboBox->currentIndex(), -1);
        QCOMPARE(f->c.BCB_ComboBox->currentIndex(), -1);
    }

    void linkingDecidesWhichListsARefillWrites()
    {
        f->show();
        f->activate();
        f->browser->BitBtn9Click(nullptr);
        QCOMPARE(f->linkedLabel->text(), QStringLiteral("Linked: False"));
        QVERIFY(!f->position.Pages_Linked);

        // Unlinked, view page showing: only the view page's member list follows a choice.
        f->editPages->setCurrentIndex(0);
        choose(f->c.DirectX_ComboBox, 1);
        QCOMPARE(f->c.DirectX_StructureMember_ComboBox->count(), 3);
        QCOMPARE(f->c.BCB_ObjectProperty_ComboBox->count(), 0);
        choose(f->c.DirectX_StructureMember_ComboBox, 2);
        choose(f->c.DirectX_ComboBox, 0);
        QCOMPARE(items(f->c.DirectX_StructureMember_ComboBox), QStringList({"dwDDFX", "dwSize"}));
        QCOMPARE(f->c.BCB_ObjectProperty_ComboBox->count(), 0);

        // Unlinked, edit page showing: only the edit page's structure list, at the view list's position.
        f->cat.addStructure(directDraw, QStringLiteral("DDARGB"));
        f->editPages->setCurrentIndex(1);
        f->browser->FillStructureList();
        QCOMPARE(items(f->c.BCB_ComboBox),
                 QStringList({"TDDARGB", "TDDBLTFX", "TDDCAPS", "TDDCOLORKEY"}));
        QCOMPARE(f->c.BCB_ComboBox->currentIndex(), 0);
        QCOMPARE(f->c.DirectX_ComboBox->count(), 3);

        f->browser->BitBtn8Click(nullptr);
        QCOMPARE(f->linkedLabel->text(), QStringLiteral("Linked: True"));
        f->browser->FillStructureList();
        QCOMPARE(f->c.DirectX_ComboBox->count(), 4);
        QCOMPARE(f->c.BCB_ComboBox->count(), 4);
    }

    void leavingAFieldPostsOnlyAChangeAndRefillsItsLevel()
    {
        f->activate();
        f->browser->DirectX_ComboBoxChange(nullptr);   // DDBLTFX is selected at activation
        f->cat.addStructure(directDraw, QStringLiteral("DDARGB"));   // only a refill would show it

        f->browser->BCB_ObjectName_EditExit(nullptr);
        f->browser->BCB_PropertyName_EditExit(nullptr);
        f->browser->BCB_PropertyFlagsDescript_MemoExit(nullptr);
        QCOMPARE(f->c.DirectX_ComboBox->count(), 3);

        f->structures.edit();
        f->structures.setField("BCB_Name", QStringLiteral("TDirectDrawBltFX"));
        f->browser->BCB_ObjectName_EditExit(nullptr);
        QVERIFY(!f->structures.modified());
        QCOMPARE(f->cat.textOf("Structures", "Structure_Index", ddbltfx, "BCB_Name"), QStringLiteral("TDirectDrawBltFX"));
        QCOMPARE(items(f->c.BCB_ComboBox),
                 QStringList({"TDDARGB", "TDirectDrawBltFX", "TDDCAPS", "TDDCOLORKEY"}));
        QCOMPARE(f->c.DirectX_ComboBox->itemText(1), QStringLiteral("DDBLTFX"));
    }

    void aLabelMovesTheFocusOnlyToAControlThatCanTakeIt()
    {
        f->show();
        f->editPages->setCurrentIndex(0);
        velmora::browser::MoveFocusTo(f->viewField);
        QTRY_COMPARE(QApplication::focusWidget(), f->viewField);

        for (QWidget* target : {static_cast<QWidget*>(f->editField), static_cast<QWidget*>(nullptr)}) {
            try {
                velmora::browser::MoveFocusTo(target);
                QFAIL("a hidden target took the focus");
            } catch (const std::runtime_error& e) {
                QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Cannot focus a disabled or invisible window"));
            }
        }
        f->c.DirectX_ComboBox->setEnabled(false);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, velmora::browser::MoveFocusTo(f->c.DirectX_ComboBox));
        QCOMPARE(QApplication::focusWidget(), f->viewField);
    }

    void clearingTwiceLeavesEmptyListsWithoutSelection()
    {
        f->show();
        f->activate();
        choose(f->c.DirectX_ComboBox, 1);
        choose(f->c.DirectX_StructureMember_ComboBox, 0);
        for (int round = 0; round < 2; ++round) {
            f->browser->ClearAllStructures();
            for (const char* table : {"Structures", "Structure_Members", "Structure_Member_Flags"})
                QCOMPARE(f->cat.rowCount(table), 0);
            QCOMPARE(f->cat.rowCount("Foundation_Classes"), 7);
            for (QComboBox* box : f->window.findChildren<QComboBox*>()) {
                QCOMPARE(box->count(), 0);
                QCOMPARE(box->currentIndex(), -1);
                QCOMPARE(box->currentText(), QString());
            }
        }
        QCOMPARE(f->position.Current_Structure_Index, ddcaps);   // the numbers are kept
        f->browser->DirectX_ComboBoxChange(nullptr);           // nothing to choose: no effect
        QCOMPARE(f->position.Current_Structure_Index, ddcaps);
    }
};

QTEST_MAIN(BrowserListsTest)
#include "test_browser_lists.moc"
