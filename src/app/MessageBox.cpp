#include "app/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

namespace velmora::app {

namespace {

QMessageBox::Icon toQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Information: return QMessageBox::Information;
    case MessageBox::Warning: return QMessageBox::Warning;
    case MessageBox::Error: return QMessageBox::Critical;
    case MessageBox::NoIcon: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBoxRecorder* MessageBoxRecorder::active_ = nullptr;

QString errorBoxText(const char* message)
{
    return QString::fromUtf8(message) + QLatin1Char('.');
}

QString errorBoxText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return errorBoxText(e.what());
    } catch (...) {
        return errorBoxText("Unknown error");
    }
}

QString MessageBox::applicationTitle()
{
    return QStringLiteral("Velmora");
}

void MessageBox::showError(QWidget* parent, const QString& text)
{
    show(parent, text, Error);
}

void MessageBox::showMessage(QWidget* parent, const QString& text, Icon icon)
{
    show(parent, text, icon);
}

void MessageBox::show(QWidget* parent, const QString& text, Icon icon)
{
    const Shown box{applicationTitle(), text, icon, {}};
    if (MessageBoxRecorder::active_) {
        MessageBoxRecorder::active_->record(box);
        return;
    }
    QMessageBox dialog(toQtIcon(icon), box.caption, box.text, QMessageBox::Ok, parent);
    // Texts are the program's own and may hold anything: never interpret them as markup.
    dialog.setTextFormat(Qt::PlainText);
    dialog.exec();
}

int MessageBox::ask(QWidget* parent, const QString& text, const QStringList& buttons, Icon icon)
{
    const Shown box{applicationTitle(), text, icon, buttons};
    if (MessageBoxRecorder::active_) {
        MessageBoxRecorder::active_->record(box);
        return MessageBoxRecorder::active_->answer();
    }
    QMessageBox dialog(toQtIcon(icon), box.caption, box.text, QMessageBox::NoButton, parent);
    dialog.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added << dialog.addButton(caption, QMessageBox::AcceptRole);
    if (!added.isEmpty()) {
        dialog.setDefaultButton(static_cast<QPushButton*>(added.first()));
        dialog.setEscapeButton(added.first());
    }
    dialog.exec();
    return std::max(0, int(added.indexOf(dialog.clickedButton())));
}

MessageBoxRecorder::MessageBoxRecorder()
{
    Q_ASSERT(!active_);
    active_ = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    if (active_ == this)
        active_ = nullptr;
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList out;
    for (const auto& box : boxes_)
        out << box.text;
    return out;
}

int MessageBoxRecorder::answer()
{
    return answers_.isEmpty() ? 0 : answers_.takeFirst();
}

void MessageBoxRecorder::record(const MessageBox::Shown& box)
{
    boxes_.append(box);
    if (callback_)
        callback_(box);
}

} // namespace velmora::app
