#include "app/KeptChanges.h"

#include <algorithm>
#include <type_traits>

#include <QPointer>
#include <QSignalBlocker>

#include "app/controls/DBEdit.h"
#include "app/controls/DBMemo.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTables.h"

namespace velmora::app {

namespace {

template <typename Control>
void rememberTexts(QWidget* form, const std::vector<catalogue::Table*>& changed,
                   QList<std::pair<QPointer<QWidget>, QString>>& texts)
{
    for (Control* control : form->findChildren<Control*>()) {
        if (std::find(changed.begin(), changed.end(), control->link().table()) == changed.end())
            continue;
        if constexpr (std::is_same_v<Control, DBEdit>)
            texts.append({control, control->text()});
        else
            texts.append({control, control->toPlainText()});
    }
}

QString typedValues(const catalogue::Table::PendingEdit& edit)
{
    QStringList values;
    for (auto field = edit.typed.cbegin(); field != edit.typed.cend(); ++field)
        values << QStringLiteral("%1 \"%2\"").arg(field.key(), field.value().toString());
    values.sort();
    return values.join(QStringLiteral(", "));
}

} // namespace

void KeptChanges::closeKeeping(catalogue::CatalogueTables& catalogue, QWidget* form)
{
    std::vector<catalogue::Table*> changed;
    for (catalogue::Table* table : catalogue.all()) {
        if (std::optional<catalogue::Table::PendingEdit> edit = table->pendingEdit()) {
            edits_.emplace_back(table, *std::move(edit));
            changed.push_back(table);
        }
    }
    QList<std::pair<QPointer<QWidget>, QString>> texts;
    rememberTexts<DBEdit>(form, changed, texts);
    rememberTexts<DBMemo>(form, changed, texts);
    try {
        catalogue.close();
    } catch (...) {
        // The catalogue is out of reach either way; the error shown says so.
    }
    for (const auto& [control, text] : texts) {
        const QSignalBlocker quiet(control.data());   // not a change of the user's
        if (auto* edit = qobject_cast<DBEdit*>(control.data()))
            edit->setText(text);
        else if (auto* memo = qobject_cast<DBMemo*>(control.data()))
            memo->setPlainText(text);
    }
}

std::exception_ptr KeptChanges::post()
{
    std::exception_ptr firstFailure;
    for (auto& [table, edit] : std::exchange(edits_, {})) {
        try {
            bool resumed = false;
            try {
                resumed = table->resumeEdit(edit);
            } catch (...) {
                edits_.emplace_back(table, edit);   // not in its table yet: still kept here
                throw;
            }
            if (!resumed)
                throw catalogue::CatalogueError(
                    QStringLiteral("Cannot write to the table %1: the row you changed was deleted while the "
                                   "catalogue was out of reach. Not stored: %2")
                        .arg(table->tableName(), typedValues(edit)));
            table->post();
            table->setKey();
            table->gotoNearest();   // where the activation shows every table
        } catch (...) {
            if (!firstFailure)
                firstFailure = std::current_exception();
        }
    }
    return firstFailure;
}

} // namespace velmora::app
