// After an import that found an error, the trace window opens on the error,
// marked but not selected, and its tooltips say where in the file a row is.
#include <QFile>
#include <QHelpEvent>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include "MainFormFixture.h"
#include "app/FileDialog.h"

using velmora::testing::MainFormFixture;
using velmora::testing::traceLines;

namespace {

QString showTooltip(QListView* list, int line)
{
    const QPoint at(10, list->visualRect(list->model()->index(line, 0)).center().y());
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

int lineStartingWith(const velmora::app::TraceListModel& model, const QString& start)
{
    for (int i = 0; i < model.lineCount(); ++i) {
        if (QString::fromUtf8(model.line(i)).startsWith(start))
            return i;
    }
    return -1;
}

} // namespace

class TestTraceWindowError : public QObject {
    Q_OBJECT

private slots:
    void theWindowOpensOnTheMarkedErrorAndTooltipsNameTheFileLine()
    {
        MainFormFixture f;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("long list.txt"));
        {
            // Three hundred listed names, blank lines between, then a row
            // with a space at file line 603: the error is far below the top.
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("Structures\r\n\r\n");
            for (int i = 0; i < 300; ++i)
                out.write(QByteArray("NAME") + QByteArray::number(i) + "\r\n\r\n");
            out.write("NAME300 structure\r\n");
        }
        velmora::app::FileDialogScript dialog;
        dialog.chooseNext(file);
        QTest::mouseClick(f.find<QPushButton>("BitBtn7"), Qt::LeftButton);

        QVERIFY(f.trace.isVisible());
        auto* list = f.trace.findChild<QListView*>(QStringLiteral("ListBox"));
        auto& model = traceLines(f.trace);
        const int error = model.markedLine();
        QCOMPARE(QString::fromUtf8(model.line(error)), QStringLiteral("Error:"));
        QCOMPARE(error, lineStartingWith(model, QStringLiteral("Error:")));
        // In view from top to bottom; a line wider than the window runs past its right edge.
        const auto errorInView = [&] {
            const QRect at = list->visualRect(model.index(error));
            return at.top() >= 0 && at.bottom() < list->viewport()->height();
        };
        QTRY_VERIFY(errorInView());
        QVERIFY(list->verticalScrollBar()->value() > 0);
        QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
        QVERIFY(model.data(model.index(error), Qt::BackgroundRole).isValid());
        QVERIFY(!model.data(model.index(error - 1), Qt::BackgroundRole).isValid());

        const QString errorLine = QStringLiteral("Error Line: NAME300 structure");
        QCOMPARE(showTooltip(list, model.lineCount() - 1), errorLine + QLatin1Char('\n') + file + QStringLiteral(", line 603"));
        QCOMPARE(showTooltip(list, error), QStringLiteral("Error:\n") + file + QStringLiteral(", line 603"));
        const int lastRowLine = lineStartingWith(model, QStringLiteral("Row #301: "));
        QCOMPARE(showTooltip(list, lastRowLine),
                 QStringLiteral("Row #301: 'NAME300 structure'\n") + file + QStringLiteral(", line 603"));

        // Near the top, after scrolling back as a user would.
        const int firstName = lineStartingWith(model, QStringLiteral("Row #1: "));
        list->scrollToTop();
        QCOMPARE(showTooltip(list, firstName), QStringLiteral("Row #1: 'NAME0'\n") + file + QStringLiteral(", line 3"));
        const int plain = firstName + 1;
        QCOMPARE(showTooltip(list, plain), QString::fromUtf8(model.line(plain)));
    }
};

QTEST_MAIN(TestTraceWindowError)
#include "test_trace_window_error.moc"
