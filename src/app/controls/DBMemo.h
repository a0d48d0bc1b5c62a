#pragma once

#include <QPlainTextEdit>

#include "app/controls/FieldLink.h"

namespace velmora::app {

// A multi-line memo bound to a text field of the current row: shows the
// field, follows the table, and writes a change back when the user leaves
// it, before exited(). Enter is a new line; Tab moves on.
class DBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);

    void bind(catalogue::DataSource* source, const QString& field);
    const FieldLink& link() const { return link_; }

    void commitPending();

signals:
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showField();
    void textChangedByAnyone();

    FieldLink link_;
    bool showing_ = false;
};

} // namespace velmora::app
