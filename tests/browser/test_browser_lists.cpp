// The browser's fills, selections, exits and focus moves on plain widgets over
// a real catalogue, for what the main window's own tests cannot reach.

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
    int ddbltfx = 0;

private slots:
    void init()
    {
        f = std::make_unique<BrowserFixture>();
        auto& cat = f->cat;
        directDraw = cat.foundationClass(QStringLiteral("DirectDraw"));
        const int ddcaps = cat.addStructure(directDraw, QStringLiteral("DDCAPS"));
        cat.addFlag(cat.addMember(ddcaps, QStringLiteral("dwCaps")), QStringLiteral("DDCAPS_BLT"));
        ddbltfx = cat.addStructure(directDraw, QStringLiteral("DDBLTFX"));
        cat.addFlag(cat.addMember(ddbltfx, QStringLiteral("dwDDFX")), QStringLiteral("DDBLTFX_ARITHSTRETCHY"));
        cat.addStructure(directDraw, QStringLiteral("DDCOLORKEY"));
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

    void leavingAFieldPostsOnlyAChangeAndRefillsItsLevel()
    {
        f->activate();
        f->browser->DirectX_ComboBoxChange(nullptr);   // DDBLTFX is selected at activation
        f->c.DirectX_StructureMember_ComboBox->setCurrentIndex(0);
        f->browser->DirectX_StructureMember_ComboBoxChange(nullptr);
        f->cat.addMember(ddbltfx, QStringLiteral("dwAlphaBitDepth"));   // only a refill shows it

        f->browser->BCB_ObjectName_EditExit(nullptr);
        f->browser->BCB_PropertyName_EditExit(nullptr);
        f->browser->BCB_PropertyFlagsDescript_MemoExit(nullptr);
        QCOMPARE(items(f->c.BCB_ObjectProperty_ComboBox), QStringList({"FdwDDFX"}));

        f->members.edit();
        f->members.setField("BCB_Name", QStringLiteral("DirectDrawFX"));
        f->browser->BCB_PropertyName_EditExit(nullptr);
        QVERIFY(!f->members.modified());
        QCOMPARE(f->cat.textOf("Structure_Members", "Member_Index", f->position.Current_Member_Index, "BCB_Name"),
                 QStringLiteral("DirectDrawFX"));
        QCOMPARE(items(f->c.BCB_ObjectProperty_ComboBox), QStringList({"FdwAlphaBitDepth", "DirectDrawFX"}));
        QCOMPARE(items(f->c.DirectX_StructureMember_ComboBox), QStringList({"dwAlphaBitDepth", "dwDDFX"}));
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
        f->c.DirectX_ComboBox->setEnabled(true);
        f->c.DirectX_ComboBox->setFocusPolicy(Qt::NoFocus);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, velmora::browser::MoveFocusTo(f->c.DirectX_ComboBox));
        QCOMPARE(QApplication::focusWidget(), f->viewField);
    }
};

QTEST_MAIN(BrowserListsTest)
#include "test_browser_lists.moc"
