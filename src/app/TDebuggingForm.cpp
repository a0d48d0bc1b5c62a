#include "app/TDebuggingForm.h"

#include <QKeyEvent>

#include "app/MessageBox.h"
#include "app/TraceLineDelegate.h"
#include "app/TraceListView.h"
#include "ui_TDebuggingForm.h"

namespace velmora::app {

TDebuggingForm::TDebuggingForm(QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::TDebuggingForm>())
{
    ui_->setupUi(this);
    // The form's own position: the description sets only its size.
    move(200, 108);
    // Closing the main window ends the program even while this one shows.
    setAttribute(Qt::WA_QuitOnClose, false);

    ui_->ListBox->setModel(&model_);
    // Long lines scroll sideways rather than end in an ellipsis.
    ui_->ListBox->setItemDelegate(new TraceLineDelegate(model_, ui_->ListBox));
    ui_->ListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ui_->ListBox->setTextElideMode(Qt::ElideNone);
    // The two buttons lie over the list's top-left corner.
    ui_->BitBtn1->raise();
    ui_->Edit1->raise();
    ui_->BitBtn2->raise();

    // Outside a dialog no button answers Enter by itself: the forward search does.
    ui_->Edit1->installEventFilter(this);
    ui_->ListBox->installEventFilter(this);

    connect(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(ui_->BitBtn1); });
    connect(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(ui_->BitBtn2); });
}

TDebuggingForm::~TDebuggingForm() = default;

void TDebuggingForm::appendLine(std::span<const std::string_view> parts)
{
    model_.append(parts);
}

void TDebuggingForm::clearLines()
{
    model_.clear();
}

void TDebuggingForm::setTraceCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TDebuggingForm::showTrace()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    if (revealMark_ && model_.markedLine() >= 0) {
        // The whole report, marked, not selected: the searches go on from no selection.
        model_.flush();
        ui_->ListBox->reveal(model_.markedLine(), model_.lineCount() - 1);
    }
    revealMark_ = false;
}

void TDebuggingForm::markErrorReport(int row)
{
    model_.markErrorReport(row);
    revealMark_ = true;
}

void TDebuggingForm::toggleVisible()
{
    if (isVisible())
        hide();
    else
        showTrace();
}

void TDebuggingForm::BitBtn1Click(QObject*)
{
    model_.flush();
    const int selected = selectedRow();
    const int count = model_.lineCount();
    // From the line above the selection down to line 0; from the first line,
    // from the last line down. With nothing selected there is no line above the
    // selection, so nothing is tested and the text is reported as not found.
    const int first = selected == 0 ? count - 1 : selected - 1;
    const int found = first < 0 ? -1 : model_.findBackward(searchText(), first);
    if (found < 0)
        reportNotFound();
    else
        selectRow(found);
}

void TDebuggingForm::BitBtn2Click(QObject*)
{
    model_.flush();
    const int selected = selectedRow();
    const int count = model_.lineCount();
    // From the line below the selection to the last line; from the last line,
    // from line 0 on.
    const int first = selected + 1 == count ? 0 : selected + 1;
    const int found = model_.findForward(searchText(), first);
    if (found < 0)
        reportNotFound();
    else
        selectRow(found);
}

bool TDebuggingForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == ui_->Edit1 || watched == ui_->ListBox)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            ui_->BitBtn2->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int TDebuggingForm::selectedRow() const
{
    const QModelIndexList selected = ui_->ListBox->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TDebuggingForm::selectRow(int row)
{
    const QModelIndex index = model_.index(row);
    ui_->ListBox->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    ui_->ListBox->scrollTo(index);
}

std::string TDebuggingForm::searchText() const
{
    return ui_->Edit1->text().toStdString();
}

void TDebuggingForm::reportNotFound()
{
    MessageBox::showMessage(this, QStringLiteral("Could not find: '") + ui_->Edit1->text() + QStringLiteral("'"));
}

} // namespace velmora::app
