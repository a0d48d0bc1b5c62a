#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractListModel>

namespace velmora::app {

// The trace: UTF-8 lines in one contiguous buffer plus end offsets, so that
// millions of lines cost little more than their bytes.
//
// Appending is cheap because views hear of new lines in one batch, when the
// event loop next runs (an import holds the loop while it appends). Every
// query of this class flushes first, so callers always see all lines.
class TraceListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TraceListModel(QObject* parent = nullptr);

    void append(std::string_view line) { append(std::span(&line, 1)); }
    // The line made of its parts.
    void append(std::span<const std::string_view> parts);
    void clear();

    // Lines appended so far, including those views have not heard of yet.
    int lineCount() const { return static_cast<int>(ends_.size()); }
    std::string_view line(int row) const;

    // Byte-wise, case-sensitive substring match; an empty text matches only an
    // empty line.
    bool lineMatches(int row, std::string_view text) const;
    // The first matching row from `from` toward the end / toward row 0, or -1.
    // A start outside the lines finds nothing.
    int findForward(std::string_view text, int from);
    int findBackward(std::string_view text, int from);

    // Tells the views of the lines appended since they last heard.
    void flush();

    // The row of the longest line the views know of (the first of equals), -1
    // when there is none: the list measures this one line for its width.
    int longestRow() const { return longestAnnounced_; }

    // Where the traced import's rows stand in its file: shown beside the
    // "Row #n" lines and the error report, and in their tooltips.
    struct RowLocator {
        std::function<QString()> file;
        std::function<std::size_t(int row)> lineOf;   // 1-based; 0 outside the rows
        std::function<int()> rowCount;
    };
    void setRowLocator(RowLocator locator) { locator_ = std::move(locator); }
    // The file line of the traced file's last row: the widest number beside a line.
    std::size_t lastFileLine() const;

    // data(): the file line (qulonglong) of a "Row #n" line or of the error
    // report's first line; nothing for any other line.
    static constexpr int FileLineRole = Qt::UserRole + 1;
    // The next line appended begins the report of an error at import row
    // `row`: that line is marked, and the report's lines point at the row.
    void markErrorReport(int row);
    int markedLine() const { return marked_; }   // -1 when none

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::string bytes_;
    std::vector<std::uint64_t> ends_;
    int announced_ = 0;        // rows the views know of
    int longest_ = -1;         // the longest line by bytes, kept as lines come
    int longestAnnounced_ = -1;
    bool flushQueued_ = false;
    RowLocator locator_;
    int marked_ = -1;          // the first line of the error report
    int errorRow_ = -1;        // the import row it names

    // The import row a line points at, or -1.
    int rowOf(int line) const;
};

} // namespace velmora::app
