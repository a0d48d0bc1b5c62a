#pragma once

#include <QGroupBox>
#include <QList>

#include "app/controls/FieldLink.h"

class QRadioButton;

namespace velmora::app {

// A status group bound to an integer field of the current row. Its radio
// buttons (children, in order) stand for the codes 0, 1, 2...: the button whose
// code equals the field is checked, none for any other value. A choice is
// written into the field when the focus leaves the group; a read-only group
// cannot be changed.
class DBRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
public:
    explicit DBRadioGroup(QWidget* parent = nullptr);

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Binds the radio buttons the group holds at this moment.
    void bind(catalogue::DataSource* source, const QString& field);
    const FieldLink& link() const { return link_; }

    // The code of the checked button, -1 when none is checked.
    int checkedCode() const;

    void commitPending();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showField();
    void userChose();
    void leftGroup();
    bool takesChanges() const;

    FieldLink link_;
    QList<QRadioButton*> buttons_;
    bool readOnly_ = false;
};

} // namespace velmora::app
