#pragma once

#include <QLineEdit>

#include "app/controls/FieldLink.h"

namespace velmora::app {

// A single-line edit field bound to a text field of the current row. It shows
// the field, follows the table, takes no more characters than the field
// holds, and writes a change back when the user leaves it, before exited().
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    void bind(catalogue::DataSource* source, const QString& field);
    const FieldLink& link() const { return link_; }

    // Writes a change the user typed and has not yet written; throws when the
    // field does not take it.
    void commitPending();

signals:
    // The user left the field for another control of the window, after the
    // change was written.
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showField();
    void userEdited();

    FieldLink link_;
};

} // namespace velmora::app
