#include "app/TraceListModel.h"

#include <QBrush>
#include <QMetaObject>

#include "import/RowBuffer.h"
#include "text/TraceText.h"

namespace velmora::app {

namespace {

QString textOf(std::string_view line)
{
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

} // namespace

TraceListModel::TraceListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void TraceListModel::append(std::span<const std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    if (longest_ < 0 || size > line(longest_).size())
        longest_ = lineCount();
    const std::size_t start = bytes_.size();
    bytes_.resize(start + size);
    char* at = bytes_.data() + start;
    for (std::string_view part : parts)
        at = text::CopyText(at, part);
    ends_.push_back(bytes_.size());
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &TraceListModel::flush, Qt::QueuedConnection);
    }
}

void TraceListModel::clear()
{
    beginResetModel();
    std::string().swap(bytes_);
    std::vector<std::uint64_t>().swap(ends_);
    announced_ = 0;
    longest_ = -1;
    longestAnnounced_ = -1;
    marked_ = -1;
    endResetModel();
}

std::string_view TraceListModel::line(int row) const
{
    if (row < 0 || row >= lineCount())
        return {};
    const std::uint64_t begin = row == 0 ? 0 : ends_[static_cast<std::size_t>(row) - 1];
    const std::uint64_t end = ends_[static_cast<std::size_t>(row)];
    return std::string_view(bytes_.data() + begin, end - begin);
}

bool TraceListModel::lineMatches(int row, std::string_view text) const
{
    const std::string_view candidate = line(row);
    if (text.empty())
        return candidate.empty();
    return candidate.find(text) != std::string_view::npos;
}

int TraceListModel::findForward(std::string_view text, int from)
{
    flush();
    if (from < 0)
        return -1;
    const int count = lineCount();
    for (int row = from; row < count; ++row) {
        if (lineMatches(row, text))
            return row;
    }
    return -1;
}

int TraceListModel::findBackward(std::string_view text, int from)
{
    flush();
    if (from >= lineCount())
        return -1;
    for (int row = from; row >= 0; --row) {
        if (lineMatches(row, text))
            return row;
    }
    return -1;
}

void TraceListModel::flush()
{
    flushQueued_ = false;
    const int count = lineCount();
    if (count <= announced_)
        return;
    beginInsertRows(QModelIndex(), announced_, count - 1);
    announced_ = count;
    longestAnnounced_ = longest_;
    endInsertRows();
}

int TraceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : announced_;
}

void TraceListModel::markErrorReport(int row)
{
    marked_ = lineCount();
    errorRow_ = row;
}

std::size_t TraceListModel::lastFileLine() const
{
    if (!locator_.lineOf || !locator_.rowCount)
        return 0;
    return locator_.lineOf(locator_.rowCount() - 1);
}

int TraceListModel::rowOf(int line) const
{
    if (marked_ >= 0 && line >= marked_)
        return errorRow_;
    return import::RowBuffer::RowNamedByTraceLine(this->line(line));
}

QVariant TraceListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= announced_)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return textOf(line(index.row()));
    case Qt::ToolTipRole: {
        // The whole line, for a line wider than the window, and where in the
        // file its row stands.
        const QString text = textOf(line(index.row()));
        const int row = rowOf(index.row());
        if (row < 0 || !locator_.lineOf)
            return text;
        const std::size_t at = locator_.lineOf(row);
        const QString file = locator_.file ? locator_.file() : QString();
        return text + QLatin1Char('\n') + file +
               (at == 0 ? QStringLiteral(", after the last line") : QStringLiteral(", line ") + QString::number(at));
    }
    case FileLineRole: {
        // Beside the lines that name a row, and the line that begins the error report.
        if (!locator_.lineOf || (index.row() > marked_ && marked_ >= 0))
            return {};
        const int row = rowOf(index.row());
        const std::size_t at = row < 0 ? 0 : locator_.lineOf(row);
        return at == 0 ? QVariant() : QVariant(qulonglong(at));
    }
    case Qt::BackgroundRole:
        return index.row() == marked_ ? QVariant(QBrush(QColor(255, 205, 205))) : QVariant();
    default:
        return {};
    }
}

} // namespace velmora::app
