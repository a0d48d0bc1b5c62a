#pragma once

// The browser's widgets on a plain window, as the main window lays them out,
// wired the way the main window wires them, over a real catalogue.

#include <functional>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "browser/CatalogueBrowser.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/Query.h"
#include "catalogue/Table.h"
#include "catalogue/TestCatalogue.h"
#include "UserActions.h"

namespace velmora::testing {

class BrowserFixture {
public:
    BrowserFixture()
    {
        auto* layout = new QVBoxLayout(&window);
        classPages = new QTabWidget;
        layout->addWidget(classPages);
        linkedLabel = new QLabel(QStringLiteral("LinkedLabel"));
        layout->addWidget(linkedLabel);

        auto* directDraw = new QWidget;
        auto* ddLayout = new QVBoxLayout(directDraw);
        editPages = new QTabWidget;
        ddLayout->addWidget(editPages);
        classPages->addTab(directDraw, QStringLiteral("DirectDraw"));
        for (const char* caption : {"DirectSound", "DirectInput", "DirectPlay", "DirectSetup",
                                    "Direct3D Immediate Mode", "Direct3D Retained Mode"})
            classPages->addTab(new QWidget, QString::fromLatin1(caption));

        auto* viewPage = new QWidget;
        auto* editPage = new QWidget;
        editPages->addTab(viewPage, QStringLiteral("DirectX"));
        editPages->addTab(editPage, QStringLiteral("Borland C++ Builder"));
        auto* viewLayout = new QVBoxLayout(viewPage);
        auto* editLayout = new QVBoxLayout(editPage);
        c.DirectX_ComboBox = combo(viewLayout, "DirectX_ComboBox");
        c.DirectX_StructureMember_ComboBox = combo(viewLayout, "DirectX_StructureMember_ComboBox");
        c.DirectX_MemberFlags_ComboBox = combo(viewLayout, "DirectX_MemberFlags_ComboBox");
        viewField = new QLineEdit;
        viewLayout->addWidget(viewField);
        c.BCB_ComboBox = combo(editLayout, "BCB_ComboBox");
        c.BCB_ObjectProperty_ComboBox = combo(editLayout, "BCB_ObjectProperty_ComboBox");
        c.BCB_PropertyFlags_ComboBox = combo(editLayout, "BCB_PropertyFlags_ComboBox");
        editField = new QLineEdit;
        editLayout->addWidget(editField);

        c.DirectXFoundationClassPages = classPages;
        c.DirectDrawEditPages = editPages;
        c.LinkedLabel = linkedLabel;
        c.Corvane = &cat.database();
        c.Structures_Table = &structures;
        c.StructureMembers_Table = &members;
        c.StructureMemberFlags_Table = &flags;
        c.TempQuery = &query;
        structures.setIndexFieldNames(catalogue::names::StructuresIndexFields);
        members.setIndexFieldNames(catalogue::names::MembersIndexFields);
        flags.setIndexFieldNames(catalogue::names::FlagsIndexFields);

        browser = std::make_unique<browser::CatalogueBrowser>(c, position);
        wire(c.DirectX_ComboBox, [this](QObject* s) { browser->DirectX_ComboBoxChange(s); });
        wire(c.DirectX_StructureMember_ComboBox,
             [this](QObject* s) { browser->DirectX_StructureMember_ComboBoxChange(s); });
        wire(c.DirectX_MemberFlags_ComboBox, [this](QObject* s) { browser->DirectX_MemberFlags_ComboBoxChange(s); });
        QObject::connect(classPages, &QTabWidget::currentChanged, classPages,
                         [this] { browser->DirectXFoundationClassPagesChange(classPages); });
        window.resize(700, 500);
    }

    // What the main window does when it becomes active.
    void activate()
    {
        structures.open();
        members.open();
        flags.open();
        browser->DirectXFoundationClassPagesChange(&window);
        browser->FillAllLists();
        for (QComboBox* box : {c.DirectX_ComboBox, c.DirectX_StructureMember_ComboBox, c.DirectX_MemberFlags_ComboBox,
                               c.BCB_ComboBox, c.BCB_ObjectProperty_ComboBox, c.BCB_PropertyFlags_ComboBox})
            box->setCurrentIndex(0);
    }

    void show()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    TestCatalogue cat;
    catalogue::Table structures{cat.database(), catalogue::names::StructuresTable, QStringLiteral("Structure_Index")};
    catalogue::Table members{cat.database(), catalogue::names::MembersTable, QStringLiteral("Member_Index")};
    catalogue::Table flags{cat.database(), catalogue::names::FlagsTable, QStringLiteral("Flag_Index")};
    catalogue::Query query{cat.database()};
    browser::BrowserControls c;
    browser::BrowserPosition position;
    std::unique_ptr<browser::CatalogueBrowser> browser;
    QString lastError;

    QWidget window;
    QTabWidget* classPages = nullptr;
    QTabWidget* editPages = nullptr;
    QLabel* linkedLabel = nullptr;
    QLineEdit* viewField = nullptr;
    QLineEdit* editField = nullptr;

private:
    static QComboBox* combo(QVBoxLayout* layout, const char* name)
    {
        auto* box = new QComboBox;
        box->setObjectName(QString::fromLatin1(name));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setEditText(QString::fromLatin1(name));
        layout->addWidget(box);
        return box;
    }

    // Errors end the handler and are kept for the test, as the error box would show them.
    void wire(QComboBox* box, std::function<void(QObject*)> handler)
    {
        QObject::connect(box, &QComboBox::activated, box, [this, box, handler] {
            try {
                handler(box);
            } catch (const std::exception& e) {
                lastError = QString::fromStdString(e.what());
            }
        });
    }
};

} // namespace velmora::testing
