#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace velmora::app {

// The settings of an open-file dialog, kept in the classic form the windows
// describe them in: filter as "Description|Pattern[;Pattern]|Description|...".
struct OpenDialogSettings {
    QString defaultExtension;
    QString filter;
    bool fileMustExist = true;
    bool readOnly = false;
};

// The one way the program asks for a file to open. Tests put a
// FileDialogScript in place so that no dialog ever blocks a headless run.
class FileDialog {
public:
    // The import's dialog: "txt", "Text Files (*.txt)|*.TXT", must exist, read-only preset.
    static OpenDialogSettings importSettings();

    // The chosen path (absolute), or an empty string when the user cancels.
    static QString getOpenFileName(QWidget* parent, const OpenDialogSettings& settings = importSettings());

    // "Text Files (*.txt)|*.TXT" -> {"Text Files (*.txt *.TXT)"}: Qt's name filters.
    // Patterns match either letter case, as they do where the filters come from.
    static QStringList qtNameFilters(const QString& filter);

    static void applySettings(QFileDialog& dialog, const OpenDialogSettings& settings);
};

// While one of these is alive, getOpenFileName takes its answers from the
// script instead of showing a dialog. A dialog with no answer left is a Cancel.
class FileDialogScript {
public:
    FileDialogScript();
    ~FileDialogScript();
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    void chooseNext(const QString& path) { answers_.append(path); }
    void cancelNext() { answers_.append(QString()); }

    // The settings of each dialog asked for, in order.
    const QList<OpenDialogSettings>& asked() const { return asked_; }
    int unanswered() const { return unanswered_; }

private:
    friend class FileDialog;
    static FileDialogScript* active_;

    QString answer(const OpenDialogSettings& settings);

    QStringList answers_;
    QList<OpenDialogSettings> asked_;
    int unanswered_ = 0;
};

} // namespace velmora::app
