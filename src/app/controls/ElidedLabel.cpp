#include "app/controls/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QToolTip>

namespace velmora::app {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    // Captions carry file names: never read them as markup.
    setTextFormat(Qt::PlainText);
}

QString ElidedLabel::shownText() const
{
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width() - 2 * indent();
    const QString caption = text();
    if (metrics.horizontalAdvance(caption) <= width)
        return caption;
    // A progress caption ("Saving Structure Member #5: 'NAME'") keeps its
    // counter whole: the name after it is what gives way.
    static const QRegularExpression counter(QStringLiteral("#\\d+"));
    const QRegularExpressionMatch found = counter.match(caption);
    if (!found.hasMatch())
        return metrics.elidedText(caption, Qt::ElideMiddle, width);
    const QString head = caption.left(found.capturedEnd());
    const int left = width - metrics.horizontalAdvance(head);
    const QString ellipsis(QChar(0x2026));
    if (left < metrics.horizontalAdvance(ellipsis))
        return metrics.elidedText(head, Qt::ElideLeft, width);   // the number at least
    return head + metrics.elidedText(caption.mid(found.capturedEnd()), Qt::ElideMiddle, left);
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && !text().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

} // namespace velmora::app
