#include "app/TMainForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/ActivationTracker.h"
#include "app/BusyImport.h"
#include "app/DefaultButtonKeys.h"
#include "app/FileDialog.h"
#include "app/HandlerGuard.h"
#include "app/HeldClick.h"
#include "app/MainFormImportObserver.h"
#include "app/MessageBox.h"
#include "app/TDebuggingForm.h"
#include "app/controls/AccelLabel.h"
#include "app/controls/BoundControlExit.h"
#include "browser/CatalogueBrowser.h"
#include "browser/ComboSelection.h"
#include "catalogue/CatalogueError.h"
#include "import/ImportSession.h"
#include "importsave/CatalogueStructuresSaver.h"
#include "ui_TMainForm.h"

namespace velmora::app {

namespace {

// The window's fonts name "MS Sans Serif" and Arial; where a system lacks them
// the same size of a sans-serif face stands in, a condensed one first so the
// captions still fit the places laid out for the narrow original.
void preferSansSerifFallback(QWidget* root)
{
    const auto adjust = [](QWidget* widget) {
        if (!widget->testAttribute(Qt::WA_SetFont))
            return;
        QFont font = widget->font();
        if (QFontInfo(font).exactMatch())
            return;
        font.setFamilies({font.family(), QStringLiteral("Liberation Sans Narrow"),
                          QStringLiteral("DejaVu Sans Condensed")});
        font.setStyleHint(QFont::SansSerif);
        widget->setFont(font);
    };
    adjust(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        adjust(child);
}

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TMainForm>()),
      Corvane(catalogue_.database),
      Structures_Table(catalogue_.structures),
      StructureMembers_Table(catalogue_.members),
      StructureMemberFlags_Table(catalogue_.flags),
      FoundationClass_Table(Corvane, QStringLiteral("Interfaces"), QStringLiteral("Interface_Index")),
      Structures_DataSource(Structures_Table),
      StructureMembers_DataSource(StructureMembers_Table),
      StructureMemberFlags_DataSource(StructureMemberFlags_Table),
      TempQuery(Corvane)
{
    // The components of the window description.
    ui->setupUi(this);
    preferSansSerifFallback(this);
    for (QWidget* floating : {static_cast<QWidget*>(ui->LinkedLabel), static_cast<QWidget*>(ui->BitBtn8),
                              static_cast<QWidget*>(ui->BitBtn9), static_cast<QWidget*>(ui->BitBtn4),
                              static_cast<QWidget*>(ui->BitBtn3)})
        floating->raise();   // above whichever page of the pair is showing

    // Corvane is described as connected: the window cannot be built without it.
    Corvane.setConnected(true);
    bindDataAwareControls();

    // Private state.
    position_ = browser::BrowserPosition{};
    browser::BrowserControls controls;
    controls.DirectX_ComboBox = ui->DirectX_ComboBox;
    controls.DirectX_StructureMember_ComboBox = ui->DirectX_StructureMember_ComboBox;
    controls.DirectX_MemberFlags_ComboBox = ui->DirectX_MemberFlags_ComboBox;
    controls.BCB_ComboBox = ui->BCB_ComboBox;
    controls.BCB_ObjectProperty_ComboBox = ui->BCB_ObjectProperty_ComboBox;
    controls.BCB_PropertyFlags_ComboBox = ui->BCB_PropertyFlags_ComboBox;
    controls.DirectXFoundationClassPages = ui->DirectXFoundationClassPages;
    controls.DirectDrawEditPages = ui->DirectDrawEditPages;
    controls.LinkedLabel = ui->LinkedLabel;
    controls.Corvane = &Corvane;
    controls.Structures_Table = &Structures_Table;
    controls.StructureMembers_Table = &StructureMembers_Table;
    controls.StructureMemberFlags_Table = &StructureMemberFlags_Table;
    controls.TempQuery = &TempQuery;
    controls.writePendingValues = [this](catalogue::Table& table) { writePendingValues(table); };
    controls.reportLater = [this](std::exception_ptr error) {
        closeIfOutOfReach(error);
        if (!resolvesConflictLater(error))
            reportErrorLater(this, error);
    };
    browser_ = std::make_unique<browser::CatalogueBrowser>(controls, position_);
    importObserver_ = std::make_unique<MainFormImportObserver>(ui->DebugLabel);
    structuresSaver_ = std::make_unique<importsave::CatalogueStructuresSaver>(
        Corvane, Structures_Table, StructureMembers_Table, StructureMemberFlags_Table,
        position_.Current_Foundation_Class_Index);
    importSession_ = std::make_unique<import::ImportSession>(*importObserver_, structuresSaver_.get());

    connectHandlers();
    connectLabelClicks();
    watchEnterKeys();
    activation_ = new ActivationTracker(this);
    connect(activation_, &ActivationTracker::activated, this, [this] { runActivation(&TMainForm::FormActivate); });
    connect(activation_, &ActivationTracker::deactivated, this, [this] { runActivation(&TMainForm::FormDeactivate); });

    runHandler(this, [this] { FormCreate(this); });
}

TMainForm::~TMainForm()
{
    // Close while the data sources still listen, so no notice reaches a
    // control after its source is gone.
    for (catalogue::Table* table : catalogue_.all()) {
        try {
            table->close();
        } catch (...) {
        }
    }
}

void TMainForm::setDebuggingForm(TDebuggingForm* debuggingForm)
{
    debuggingForm_ = debuggingForm;
    importObserver_->setTraceWindow(debuggingForm);
    activation_->setTraceWindow(debuggingForm);
    if (debuggingForm) {
        const import::ImportSession* session = importSession_.get();
        debuggingForm->setRowLocator({[session] { return QString::fromStdString(session->Path()); },
                                      [session](int row) { return session->Rows().LineOf(row); },
                                      [session] { return session->Rows().Count(); }});
    }
}

void TMainForm::bindDataAwareControls()
{
    const QString name = QStringLiteral("BCB_Name");
    const QString description = QStringLiteral("BCB_Description");
    const QString status = QStringLiteral("Conversion_Status");
    catalogue::DataSource* structures = &Structures_DataSource;
    catalogue::DataSource* members = &StructureMembers_DataSource;
    catalogue::DataSource* flags = &StructureMemberFlags_DataSource;

    // The view pages show the same fields as the edit pages, BCB_Name included.
    for (DBEdit* edit : {ui->DirectX_StructureName_Edit, ui->BCB_ObjectName_Edit, ui->DBEdit1, ui->DBEdit3})
        edit->bind(structures, name);
    for (DBEdit* edit : {ui->DirectX_StructureMember_Edit, ui->BCB_PropertyName_Edit, ui->DBEdit2, ui->DBEdit4})
        edit->bind(members, name);
    for (DBMemo* memo : {ui->DirectX_StructureDesc_Memo, ui->BCB_ObjectDescription_Memo, ui->DBMemo1, ui->DBMemo4})
        memo->bind(structures, description);
    for (DBMemo* memo : {ui->DirectX_StructureMember_Memo, ui->BCB_PropertyDescription_Memo, ui->DBMemo2, ui->DBMemo5})
        memo->bind(members, description);
    for (DBMemo* memo : {ui->DirectX_MemberFlagsDesc_Memo, ui->BCB_PropertyFlagsDescript_Memo, ui->DBMemo3, ui->DBMemo6})
        memo->bind(flags, description);
    for (DBRadioGroup* group : {ui->DBRadioGroup4, ui->BCB_ObjectStatus, ui->DBRadioGroup1, ui->DBRadioGroup9})
        group->bind(structures, status);
    for (DBRadioGroup* group : {ui->DBRadioGroup5, ui->DBRadioGroup2, ui->DBRadioGroup7, ui->DBRadioGroup10})
        group->bind(members, status);
    for (DBRadioGroup* group : {ui->DBRadioGroup6, ui->DBRadioGroup3, ui->DBRadioGroup8, ui->DBRadioGroup11})
        group->bind(flags, status);
}

void TMainForm::connectHandlers()
{
    heldClick_ = new HeldClick(this);
    using Handler = void (TMainForm::*)(QObject*);
    const auto onClick = [this](QPushButton* button, Handler handler) {
        connect(button, &QPushButton::clicked, this,
                [this, button, handler] { runUserHandler([&] { (this->*handler)(button); }); });
    };
    const auto onChoice = [this](QComboBox* combo, Handler handler) {
        // The user's choices only: selections made by the program raise nothing.
        connect(combo, &QComboBox::activated, this,
                [this, combo, handler] {
                    runUserHandler([&] {
                        Corvane.checkFileStillThere();   // the lists would read a deleted file unawares
                        (this->*handler)(combo);
                    });
                });
    };
    const auto onExit = [this](auto* control, Handler handler) {
        // Errors of exit handlers are reported by the control once its focus change is done.
        connect(control, &std::remove_pointer_t<decltype(control)>::exited, this,
                [this, control, handler] {
                    try {
                        // Before a post only: a mere pass through a field says nothing.
                        if (catalogue::Table* table = control->link().table(); table && table->modified())
                            Corvane.checkFileStillThere();
                        (this->*handler)(control);
                    } catch (...) {
                        closeIfOutOfReach(std::current_exception());
                        if (!resolvesConflictLater(std::current_exception()))
                            throw;
                        heldClick_->holdPressedButton();
                    }
                });
        heldClick_->watch(control);
    };

    connect(ui->DirectXFoundationClassPages, &QTabWidget::currentChanged, this, [this] {
        runUserHandler([this] { DirectXFoundationClassPagesChange(ui->DirectXFoundationClassPages); });
    });

    // After any choice, also in the lists without a handler, the start of the entry shows.
    for (QComboBox* combo : findChildren<QComboBox*>())
        connect(combo, &QComboBox::activated, this, [combo] { browser::showTextStart(combo); });

    onChoice(ui->DirectX_ComboBox, &TMainForm::DirectX_ComboBoxChange);
    onChoice(ui->ComboBox1, &TMainForm::DirectX_ComboBoxChange);
    onChoice(ui->DirectX_StructureMember_ComboBox, &TMainForm::DirectX_StructureMember_ComboBoxChange);
    onChoice(ui->ComboBox2, &TMainForm::DirectX_StructureMember_ComboBoxChange);
    onChoice(ui->DirectX_MemberFlags_ComboBox, &TMainForm::DirectX_MemberFlags_ComboBoxChange);
    onChoice(ui->ComboBox3, &TMainForm::DirectX_MemberFlags_ComboBoxChange);

    onClick(ui->BitBtn6, &TMainForm::BitBtn6Click);
    onClick(ui->BitBtn1, &TMainForm::BitBtn6Click);
    onClick(ui->BitBtn10, &TMainForm::BitBtn10Click);
    onClick(ui->BitBtn13, &TMainForm::BitBtn10Click);
    onClick(ui->BitBtn7, &TMainForm::BitBtn7Click);
    onClick(ui->BitBtn2, &TMainForm::BitBtn7Click);
    onClick(ui->BitBtn5, &TMainForm::BitBtn5Click);
    onClick(ui->BitBtn16, &TMainForm::BitBtn5Click);
    onClick(ui->BitBtn8, &TMainForm::BitBtn8Click);
    onClick(ui->BitBtn9, &TMainForm::BitBtn9Click);
    onClick(ui->BitBtn4, &TMainForm::BitBtn4Click);
    onClick(ui->BitBtn3, &TMainForm::BitBtn3Click);
    // BitBtn11, BitBtn12, BitBtn14, BitBtn15 and their copies have no handler.

    for (auto* control : {ui->DirectX_StructureName_Edit, ui->BCB_ObjectName_Edit, ui->DBEdit1, ui->DBEdit3})
        onExit(control, &TMainForm::BCB_ObjectName_EditExit);
    for (auto* control : {ui->DirectX_StructureDesc_Memo, ui->BCB_ObjectDescription_Memo, ui->DBMemo1, ui->DBMemo4})
        onExit(control, &TMainForm::BCB_ObjectName_EditExit);
    for (auto* control : {ui->DirectX_StructureMember_Edit, ui->BCB_PropertyName_Edit, ui->DBEdit2, ui->DBEdit4})
        onExit(control, &TMainForm::BCB_PropertyName_EditExit);
    for (auto* control : {ui->DirectX_StructureMember_Memo, ui->BCB_PropertyDescription_Memo, ui->DBMemo2, ui->DBMemo5})
        onExit(control, &TMainForm::BCB_PropertyName_EditExit);
    for (auto* control : {ui->DirectX_MemberFlagsDesc_Memo, ui->BCB_PropertyFlagsDescript_Memo, ui->DBMemo3, ui->DBMemo6})
        onExit(control, &TMainForm::BCB_PropertyFlagsDescript_MemoExit);
}

void TMainForm::connectLabelClicks()
{
    const std::pair<QList<AccelLabel*>, void (TMainForm::*)(QObject*)> clicks[] = {
        {{ui->Label7, ui->Label36}, &TMainForm::Label7Click},
        {{ui->Label6, ui->Label37}, &TMainForm::Label6Click},
        {{ui->Label5, ui->Label38}, &TMainForm::Label5Click},
        {{ui->Label9, ui->Label39}, &TMainForm::Label9Click},
        {{ui->Label14, ui->Label40}, &TMainForm::Label14Click},
        {{ui->Label15, ui->Label41}, &TMainForm::Label15Click},
        {{ui->Label16, ui->Label42}, &TMainForm::Label16Click},
        {{ui->Label17, ui->Label43}, &TMainForm::Label17Click},
    };
    for (const auto& [labels, handler] : clicks) {
        for (AccelLabel* label : labels)
            connect(label, &AccelLabel::clicked, this,
                    [this, label, handler] { runUserHandler([&] { (this->*handler)(label); }); });
    }
}

void TMainForm::watchEnterKeys()
{
    enterKeys_ = new DefaultButtonKeys(this);
    const auto watchPage = [this](QPushButton* defaultButton, QList<QWidget*> controls) {
        for (QWidget* control : controls)
            enterKeys_->watch(control, defaultButton);
    };
    watchPage(ui->BitBtn6, {ui->DirectX_ComboBox, ui->DirectX_StructureMember_ComboBox, ui->DirectX_MemberFlags_ComboBox,
                            ui->DirectX_StructureName_Edit, ui->DirectX_StructureMember_Edit});
    watchPage(ui->BitBtn11, {ui->BCB_ComboBox, ui->BCB_ObjectProperty_ComboBox, ui->BCB_PropertyFlags_ComboBox,
                             ui->BCB_ObjectName_Edit, ui->BCB_PropertyName_Edit});
    watchPage(ui->BitBtn1, {ui->ComboBox1, ui->ComboBox2, ui->ComboBox3, ui->DBEdit1, ui->DBEdit2});
    watchPage(ui->BitBtn17, {ui->ComboBox4, ui->ComboBox5, ui->ComboBox6, ui->DBEdit3, ui->DBEdit4});
    // The items of the status groups pass Enter on to their page's default button.
    const auto watchGroups = [this](QPushButton* defaultButton, QList<DBRadioGroup*> groups) {
        for (DBRadioGroup* group : groups)
            for (QRadioButton* item : group->findChildren<QRadioButton*>())
                enterKeys_->watch(item, defaultButton);
    };
    watchGroups(ui->BitBtn6, {ui->DBRadioGroup4, ui->DBRadioGroup5, ui->DBRadioGroup6});
    watchGroups(ui->BitBtn11, {ui->BCB_ObjectStatus, ui->DBRadioGroup2, ui->DBRadioGroup3});
    watchGroups(ui->BitBtn1, {ui->DBRadioGroup1, ui->DBRadioGroup7, ui->DBRadioGroup8});
    watchGroups(ui->BitBtn17, {ui->DBRadioGroup9, ui->DBRadioGroup10, ui->DBRadioGroup11});
    // A button that has the focus answers Enter itself, as it would in a dialog.
    for (QPushButton* button : findChildren<QPushButton*>())
        enterKeys_->watch(button, button);
}

void TMainForm::runActivation(void (TMainForm::*handler)(QObject*))
{
    // Window activation is no place for a modal box: the error comes up after.
    try {
        (this->*handler)(this);
    } catch (...) {
        closeIfOutOfReach(std::current_exception());
        if (!resolvesConflictLater(std::current_exception()))
            reportErrorLater(this, std::current_exception());
    }
}

void TMainForm::runUserHandler(const std::function<void()>& handler)
{
    runHandler(this, [&] {
        try {
            handler();
        } catch (...) {
            closeIfOutOfReach(std::current_exception());
            throw;
        }
    });
}

void TMainForm::closeIfOutOfReach(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const catalogue::CatalogueError& failure) {
        // A lost server session is closed too: the next activation connects
        // again, and until then no path repeats the same box.
        if (failure.fault() != catalogue::CatalogueFault::Gone &&
            failure.fault() != catalogue::CatalogueFault::ConnectionLost)
            return;
    } catch (...) {
        return;
    }
    // The focused field has not written what was typed into its table yet.
    for (catalogue::Table* table : catalogue_.all()) {
        try {
            writePendingValues(*table);
        } catch (...) {
            // What cannot be written stays in its field.
        }
    }
    keptChanges_.closeKeeping(catalogue_, this);
}

bool TMainForm::resolvesConflictLater(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const catalogue::CataloguePostConflictError& conflict) {
        const QString table = conflict.table();
        if (!conflictsAsked_.contains(table)) {
            conflictsAsked_.insert(table);
            QString question = errorBoxText(error) + QStringLiteral("\n");
            const auto shown = [](const QVariant& value) {
                return value.isNull() ? QStringLiteral("(empty)") : QStringLiteral("\"%1\"").arg(value.toString());
            };
            for (const auto& difference : conflict.differences())
                question += QStringLiteral("\n%1: theirs %2, yours %3")
                                .arg(difference.field, shown(difference.theirs), shown(difference.yours));
            QTimer::singleShot(0, this, [this, table, question] { askWhoseChangeStays(table, question); });
        }
        return true;
    } catch (...) {
        return false;
    }
}

void TMainForm::askWhoseChangeStays(const QString& tableName, const QString& question)
{
    conflictsAsked_.remove(tableName);
    for (catalogue::Table* table : catalogue_.all()) {
        if (table->tableName() != tableName || table->state() != catalogue::Table::State::Edit)
            continue;
        runUserHandler([&] {
            const int choice = MessageBox::ask(
                this, question + QStringLiteral("\n\nKeep their change, or store yours over it?"),
                {QStringLiteral("Keep &Theirs"), QStringLiteral("Store &Mine")});
            if (choice == 0) {
                table->cancel();
                table->refresh();
            } else {
                table->postOverStoredChanges();
            }
            browser_->refillListOf(*table);
        });
    }
    if (!conflictsAsked_.isEmpty())
        return;   // another table's question is still to come
    // What the user did that raised the question goes ahead now.
    heldClick_->clickHeldButton();
    if (closeAfterAnswer_) {
        closeAfterAnswer_ = false;
        close();
    }
}

// --- window events ---------------------------------------------------------

void TMainForm::FormCreate(QObject*)
{
    move(x(), 0);
    move(0, y());
    resize(800, height());
    resize(width(), 580);
}

void TMainForm::FormActivate(QObject* Sender)
{
    Corvane.checkFileStillThere();   // still connected when the last close failed
    catalogue_.open();
    const std::exception_ptr keptNotStored = keptChanges_.post();
    for (catalogue::Table* table : catalogue_.all()) {
        // An open table with no current row has no rows: no count of a million rows needed.
        if (!table->isEmpty())
            table->edit();
        else
            table->insert();
    }
    browser_->DirectXFoundationClassPagesChange(Sender);
    browser_->FillAllLists();
    for (QComboBox* combo : {ui->DirectX_ComboBox, ui->DirectX_StructureMember_ComboBox, ui->DirectX_MemberFlags_ComboBox,
                             ui->BCB_ComboBox, ui->BCB_ObjectProperty_ComboBox, ui->BCB_PropertyFlags_ComboBox})
        browser::selectPosition(combo, 0);
    if (keptNotStored)
        std::rethrow_exception(keptNotStored);
}

void TMainForm::FormDeactivate(QObject*)
{
    // A change the user made and nobody posted yet is kept, not dropped with
    // the closing table; a new row nobody touched is still dropped.
    postUserChanges();
    catalogue_.close();
}

void TMainForm::writePendingValues(catalogue::Table& table)
{
    // The focused control has not written its value yet (it is not being
    // left), nor has a status group that still holds the focus.
    const auto write = [&table](auto controls) {
        for (auto* control : controls)
            if (control->link().table() == &table)
                control->commitPending();
    };
    write(findChildren<DBEdit*>());
    write(findChildren<DBMemo*>());
    write(findChildren<DBRadioGroup*>());
}

void TMainForm::postUserChanges()
{
    for (catalogue::Table* table : catalogue_.all()) {
        writePendingValues(*table);
        if (table->active() && table->modified())
            table->post();
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    try {
        if (!keptChanges_.empty()) {
            // Kept while the catalogue was out of reach: one more try to store them.
            catalogue_.open();
            if (const std::exception_ptr notStored = keptChanges_.post())
                std::rethrow_exception(notStored);
        }
        postUserChanges();
    } catch (const catalogue::CataloguePostConflictError&) {
        // The window stays open until the user has chosen whose change stays, then closes.
        resolvesConflictLater(std::current_exception());
        closeAfterAnswer_ = true;
        event->ignore();
        return;
    } catch (const std::exception& error) {
        // Stay open once rather than lose the change silently; a second close
        // goes ahead, so a catalogue that stays unwritable cannot trap the user.
        const QString text = errorBoxText(error.what());
        if (closeRefusedOnce_) {
            MessageBox::showError(this, text);
        } else {
            closeRefusedOnce_ = true;
            event->ignore();
            MessageBox::showError(this, text + QStringLiteral("\n\nThe change was not stored. Close the window again to discard it."));
            return;
        }
    }
    QWidget::closeEvent(event);
}

// --- lists and pages -------------------------------------------------------

void TMainForm::DirectXFoundationClassPagesChange(QObject* Sender)
{
    browser_->DirectXFoundationClassPagesChange(Sender);
}

void TMainForm::DirectX_ComboBoxChange(QObject* Sender)
{
    browser_->DirectX_ComboBoxChange(Sender);
}

void TMainForm::DirectX_StructureMember_ComboBoxChange(QObject* Sender)
{
    browser_->DirectX_StructureMember_ComboBoxChange(Sender);
}

void TMainForm::DirectX_MemberFlags_ComboBoxChange(QObject* Sender)
{
    browser_->DirectX_MemberFlags_ComboBoxChange(Sender);
}

void TMainForm::BCB_ObjectName_EditExit(QObject* Sender)
{
    browser_->BCB_ObjectName_EditExit(Sender);
}

void TMainForm::BCB_PropertyName_EditExit(QObject* Sender)
{
    browser_->BCB_PropertyName_EditExit(Sender);
}

void TMainForm::BCB_PropertyFlagsDescript_MemoExit(QObject* Sender)
{
    browser_->BCB_PropertyFlagsDescript_MemoExit(Sender);
}

// --- buttons ---------------------------------------------------------------

void TMainForm::showNotYetImplemented()
{
    MessageBox::showMessage(this, QStringLiteral("Not Yet Implemented"));
}

void TMainForm::BitBtn6Click(QObject*)
{
    showNotYetImplemented();
}

void TMainForm::BitBtn10Click(QObject*)
{
    showNotYetImplemented();
}

void TMainForm::BitBtn5Click(QObject*)
{
    showNotYetImplemented();
}

void TMainForm::BitBtn7Click(QObject*)
{
    const QString path = FileDialog::getOpenFileName(this, FileDialog::importSettings());
    if (path.isEmpty())
        return;
    // The import holds the event loop: paint over where the dialog was now,
    // without letting any input through.
    MainFormImportObserver::repaintWindow(this);
    // The save runs in a transaction of its own: the user's change goes in
    // first, so a failed import cannot take it along. If it cannot be posted,
    // the error shows (or the question whose change stays) and nothing is imported.
    try {
        postUserChanges();
    } catch (const catalogue::CataloguePostConflictError&) {
        resolvesConflictLater(std::current_exception());
        return;
    }
    const BusyImport busy;   // ends after the last caption is shown
    struct FinishStatus {
        MainFormImportObserver& observer;
        ~FinishStatus() { observer.finish(); }
    } finishStatus{*importObserver_};
    importSession_->ImportFile(path.toStdString());
}

void TMainForm::BitBtn8Click(QObject* Sender)
{
    browser_->BitBtn8Click(Sender);
}

void TMainForm::BitBtn9Click(QObject* Sender)
{
    browser_->BitBtn9Click(Sender);
}

void TMainForm::BitBtn4Click(QObject*)
{
    if (debuggingForm_)
        debuggingForm_->toggleVisible();
}

void TMainForm::BitBtn3Click(QObject*)
{
    MessageBox::showMessage(this, QStringLiteral("NOTE: Clearing _ALL_ Structures, Methods, Flags, etc."));
    browser_->ClearAllStructures();
}

// --- label clicks: the focus goes to the Structures page's edit page -------

void TMainForm::Label7Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_ComboBox);
}

void TMainForm::Label6Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_ObjectName_Edit);
}

void TMainForm::Label5Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_ObjectDescription_Memo);
}

void TMainForm::Label9Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_ObjectProperty_ComboBox);
}

void TMainForm::Label14Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_PropertyName_Edit);
}

void TMainForm::Label15Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_PropertyDescription_Memo);
}

void TMainForm::Label16Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_PropertyFlags_ComboBox);
}

void TMainForm::Label17Click(QObject*)
{
    browser::MoveFocusTo(ui->BCB_PropertyFlagsDescript_Memo);
}

} // namespace velmora::app
