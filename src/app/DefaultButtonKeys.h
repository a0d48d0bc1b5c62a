#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace velmora::app {

// Enter in a page's combo box (with its list closed) or edit field presses the
// page's default button: outside a dialog Qt has no default button of its own.
// Memos keep Enter as a new line: they are never watched.
class DefaultButtonKeys : public QObject {
    Q_OBJECT
public:
    explicit DefaultButtonKeys(QObject* parent = nullptr) : QObject(parent) {}

    void watch(QWidget* control, QAbstractButton* defaultButton);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, QPointer<QAbstractButton>> buttons_;
};

} // namespace velmora::app
