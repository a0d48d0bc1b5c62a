#pragma once

#include <exception>
#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace velmora::app {

// Every modal box of the program goes through here: one OK button, the
// application's title as caption. Tests put a MessageBoxRecorder in place so
// that no box ever blocks a headless run.
class MessageBox {
public:
    enum Icon { NoIcon, Information, Warning, Error };

    struct Shown {
        QString caption;
        QString text;
        Icon icon = NoIcon;
        QStringList buttons;   // a question's buttons; empty for a box with OK only
    };

    static QString applicationTitle();

    // The error box: error icon, one OK button.
    static void showError(QWidget* parent, const QString& text);
    // A plain message with one OK button.
    static void showMessage(QWidget* parent, const QString& text, Icon icon = NoIcon);

    // A question: one button per answer (captions with & accelerators). Returns
    // the position of the button chosen; closing the box chooses the first.
    static int ask(QWidget* parent, const QString& text, const QStringList& buttons, Icon icon = Warning);

private:
    static void show(QWidget* parent, const QString& text, Icon icon);
};

// The text of the error box for an error: its message followed by ".".
QString errorBoxText(const char* message);
// The same for a caught error; one that is no std::exception reads "Unknown error.".
QString errorBoxText(std::exception_ptr error);

// While one of these is alive, boxes are recorded instead of shown. Only one
// may be alive at a time.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const QList<MessageBox::Shown>& boxes() const { return boxes_; }
    QStringList texts() const;
    void clear() { boxes_.clear(); }

    // The answer to the next question asked (the button's position); a
    // question with no answer left gets the first button.
    void answerNext(int button) { answers_.append(button); }

    // Runs for each box as it comes up, for tests that look at the program's
    // state at that moment.
    void onShown(std::function<void(const MessageBox::Shown&)> callback) { callback_ = std::move(callback); }

private:
    friend class MessageBox;
    static MessageBoxRecorder* active_;

    void record(const MessageBox::Shown& box);
    int answer();

    QList<MessageBox::Shown> boxes_;
    QList<int> answers_;
    std::function<void(const MessageBox::Shown&)> callback_;
};

} // namespace velmora::app
