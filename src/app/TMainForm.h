#pragma once

#include <exception>
#include <functional>
#include <memory>

#include <QSet>

#include <QWidget>

#include "app/KeptChanges.h"
#include "browser/BrowserControls.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/DataSource.h"
#include "catalogue/Query.h"

namespace Ui {
class TMainForm;
}

namespace velmora::browser {
class CatalogueBrowser;
}
namespace velmora::import {
class ImportSession;
}
namespace velmora::importsave {
class CatalogueStructuresSaver;
}

namespace velmora::app {

class ActivationTracker;
class DefaultButtonKeys;
class HeldClick;
class MainFormImportObserver;
class TDebuggingForm;

// The main window: the foundation-class pages with the structure browser and
// editor, the import buttons, and the catalogue components it owns. The
// catalogue is open while this window is the program's active one.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Connects the alias Corvane; throws catalogue::CatalogueError when it cannot.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    void setDebuggingForm(TDebuggingForm* debuggingForm);

    void FormCreate(QObject* Sender);
    void FormActivate(QObject* Sender);
    void FormDeactivate(QObject* Sender);

    void DirectXFoundationClassPagesChange(QObject* Sender);
    void DirectX_ComboBoxChange(QObject* Sender);
    void DirectX_StructureMember_ComboBoxChange(QObject* Sender);
    void DirectX_MemberFlags_ComboBoxChange(QObject* Sender);

    void BCB_ObjectName_EditExit(QObject* Sender);
    void BCB_PropertyName_EditExit(QObject* Sender);
    void BCB_PropertyFlagsDescript_MemoExit(QObject* Sender);

    void BitBtn3Click(QObject* Sender);   // "Clear All Structures"
    void BitBtn4Click(QObject* Sender);   // "Show Dbg"
    void BitBtn5Click(QObject* Sender);   // "Delete This Structure!!"
    void BitBtn6Click(QObject* Sender);   // "View &Next Item"
    void BitBtn7Click(QObject* Sender);   // "&Import Structures"
    void BitBtn8Click(QObject* Sender);   // link the pages
    void BitBtn9Click(QObject* Sender);   // unlink the pages
    void BitBtn10Click(QObject* Sender);  // "View Pre&v Item"

    void Label7Click(QObject* Sender);
    void Label6Click(QObject* Sender);
    void Label5Click(QObject* Sender);
    void Label9Click(QObject* Sender);
    void Label14Click(QObject* Sender);
    void Label15Click(QObject* Sender);
    void Label16Click(QObject* Sender);
    void Label17Click(QObject* Sender);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void bindDataAwareControls();
    void connectHandlers();
    void connectLabelClicks();
    void watchEnterKeys();
    void showNotYetImplemented();
    void writePendingValues(catalogue::Table& table);
    void postUserChanges();
    void runActivation(void (TMainForm::*handler)(QObject*));
    // Runs the handler of a click, choice or page change: its error shows in
    // a box, after a catalogue out of reach was closed.
    void runUserHandler(const std::function<void()>& handler);
    // When error says the catalogue file is gone or the server ended the
    // session, closes the catalogue (the next activation reports what is
    // there now, or connects again) but keeps what the user typed, to be
    // posted once it opens again.
    void closeIfOutOfReach(std::exception_ptr error);
    // A post that someone else's stored change stopped: true when error is one.
    // The question whose change stays comes once control is back in the event
    // loop (one per table); until then the field keeps what the user typed.
    bool resolvesConflictLater(std::exception_ptr error);
    void askWhoseChangeStays(const QString& tableName, const QString& question);

    std::unique_ptr<Ui::TMainForm> ui;

    // Non-visual components: the catalogue bundle under the window's own names.
    catalogue::CatalogueTables catalogue_;
    catalogue::Database& Corvane;
    catalogue::Table& Structures_Table;
    catalogue::Table& StructureMembers_Table;
    catalogue::Table& StructureMemberFlags_Table;
    catalogue::Table FoundationClass_Table;   // names Interfaces.DB; nothing opens it
    catalogue::DataSource Structures_DataSource;
    catalogue::DataSource StructureMembers_DataSource;
    catalogue::DataSource StructureMemberFlags_DataSource;
    catalogue::Query TempQuery;

    // Private state: the browser's position (Current_Foundation_Class_Index,
    // Current_Structure_Index, Current_Member_Index, Pages_Linked) and the
    // import with its rows (Import_Rows, Current_Row_Index).
    browser::BrowserPosition position_;
    std::unique_ptr<browser::CatalogueBrowser> browser_;
    std::unique_ptr<MainFormImportObserver> importObserver_;
    std::unique_ptr<importsave::CatalogueStructuresSaver> structuresSaver_;
    std::unique_ptr<import::ImportSession> importSession_;
    QSet<QString> conflictsAsked_;   // tables whose question is pending
    KeptChanges keptChanges_;

    TDebuggingForm* debuggingForm_ = nullptr;
    bool closeRefusedOnce_ = false;   // a failed post kept the window open once
    bool closeAfterAnswer_ = false;   // a close waits for the question whose change stays
    HeldClick* heldClick_ = nullptr;
    ActivationTracker* activation_ = nullptr;
    DefaultButtonKeys* enterKeys_ = nullptr;
};

} // namespace velmora::app
