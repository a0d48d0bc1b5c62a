#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include <QWidget>

#include "app/TraceListModel.h"

namespace Ui {
class TDebuggingForm;
}

namespace velmora::app {

// The trace log window: the lines an import writes, and a backward and a
// forward search through them. It lives from start-up to shut-down; closing it
// only hides it.
class TDebuggingForm : public QWidget {
    Q_OBJECT
public:
    explicit TDebuggingForm(QWidget* parent = nullptr);
    ~TDebuggingForm() override;

    // A new last line; the selection and the scroll position stay.
    void appendLine(std::string_view line) { appendLine(std::span(&line, 1)); }
    // The line made of its parts, joined in the window's own store.
    void appendLine(std::span<const std::string_view> parts);
    // Removes every line; nothing is selected afterwards.
    void clearLines();
    void setTraceCaption(const QString& caption);
    // Shows the window and brings it in front as the active window; the lines
    // of an error reported since the last showing are scrolled into view.
    void showTrace();
    // See TraceListModel: the next line begins an error report about import row `row`.
    void markErrorReport(int row);
    void setRowLocator(TraceListModel::RowLocator locator) { model_.setRowLocator(std::move(locator)); }
    // Hides the window when it is visible, shows it otherwise.
    void toggleVisible();

    void BitBtn1Click(QObject* sender);   // "<- Search"
    void BitBtn2Click(QObject* sender);   // "Search ->"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedRow() const;
    void selectRow(int row);
    std::string searchText() const;
    void reportNotFound();

    std::unique_ptr<Ui::TDebuggingForm> ui_;
    TraceListModel model_;
    bool revealMark_ = false;
};

} // namespace velmora::app
