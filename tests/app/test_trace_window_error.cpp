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

#include "support/MainFormFixture.h"
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

// A file whose error lies far below the top, after a listed name wider than
// any window: the trace scrolls sideways too. Its error is at file line 603.
QString writeLongList(const QTemporaryDir& dir)
{
    const QString file = dir.filePath(QStringLiteral("long list.txt"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file));
    out.write("Structures\r\n\r\n");
    for (int i = 0; i < 300; ++i)
        out.write(QByteArray("NAME") + QByteArray::number(i) + (i == 7 ? QByteArray(400, 'W') : QByteArray()) + "\r\n\r\n");
    out.write("NAME300 structure\r\n");
    return file;
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
    void theWholeReportIsInViewFromItsStart_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("alreadyShowing");
        QTest::addColumn<QSize>("resizedTo");   // by the window manager once shown; empty: not resized
        for (const bool showing : {false, true}) {
            const QByteArray when = showing ? " already showing" : " new";
            QTest::newRow("laid out" + when) << QSize(427, 273) << showing << QSize();
            QTest::newRow("larger" + when) << QSize(900, 640) << showing << QSize();
        }
        QTest::newRow("made smaller once shown") << QSize(900, 640) << false << QSize(427, 200);
    }

    void theWholeReportIsInViewFromItsStart()
    {
        QFETCH(QSize, size);
        QFETCH(bool, alreadyShowing);
        QFETCH(QSize, resizedTo);
        MainFormFixture f;
        f.trace.resize(size);
        if (alreadyShowing) {
            QVERIFY(f.goToTraceWindow());
            QVERIFY(f.backToMainWindow());
        }
        QTemporaryDir dir;
        velmora::app::FileDialogScript dialog;
        dialog.chooseNext(writeLongList(dir));
        QTest::mouseClick(f.find<QPushButton>("BitBtn7"), Qt::LeftButton);
        QVERIFY(f.trace.isVisible());
        if (resizedTo.isValid())
            f.trace.resize(resizedTo);
        QTest::qWait(50);   // every layout the showing brings has run

        auto* list = f.trace.findChild<QListView*>(QStringLiteral("ListBox"));
        auto& model = traceLines(f.trace);
        const int first = model.markedLine();
        QCOMPARE(QString::fromUtf8(model.line(first)), QStringLiteral("Error:"));
        QVERIFY(QString::fromUtf8(model.line(model.lineCount() - 1)).startsWith(QStringLiteral("Error Line: ")));
        QVERIFY(list->horizontalScrollBar()->isVisible());
        for (int line = first; line < model.lineCount(); ++line) {
            const QRect at = list->visualRect(model.index(line));
            QVERIFY2(at.top() >= 0 && at.bottom() < list->viewport()->height() && at.left() == 0,
                     qPrintable(QStringLiteral("line %1 at %2,%3").arg(line).arg(at.left()).arg(at.top())));
        }
    }

    void eachRowLineShowsItsFileLineBesideIt()
    {
        MainFormFixture f;
        QTemporaryDir dir;
        velmora::app::FileDialogScript dialog;
        dialog.chooseNext(writeLongList(dir));
        QTest::mouseClick(f.find<QPushButton>("BitBtn7"), Qt::LeftButton);
        QTest::qWait(50);
        auto* list = f.trace.findChild<QListView*>(QStringLiteral("ListBox"));
        auto& model = traceLines(f.trace);
        list->scrollToTop();

        // Row #n of the list stands at file line 2n + 1; the trace text is untouched.
        const int gutter = list->viewport()->x() - list->frameWidth();
        QVERIFY(gutter > list->fontMetrics().horizontalAdvance(QStringLiteral("603")));
        const struct {
            const char* start;
            qulonglong fileLine;
        } rows[] = {{"Row #0: ", 1}, {"Row #1: ", 3}, {"Row #2: ", 5}, {"Row #3: ", 7}};
        for (const auto& row : rows) {
            const int line = lineStartingWith(model, QString::fromLatin1(row.start));
            QCOMPARE(model.data(model.index(line), velmora::app::TraceListModel::FileLineRole).toULongLong(), row.fileLine);
            QVERIFY(QString::fromUtf8(model.line(line)).startsWith(QString::fromLatin1(row.start)));
            // Drawn, not only known: the gutter beside the line holds ink.
            const QRect band = list->visualRect(model.index(line)).translated(list->viewport()->pos());
            const QImage beside = list->grab(QRect(list->frameWidth(), band.top(), gutter, band.height())).toImage();
            int ink = 0;
            for (int y = 0; y < beside.height(); ++y)
                for (int x = 0; x < beside.width(); ++x)
                    ink += beside.pixel(x, y) != beside.pixel(0, 0);
            QVERIFY2(ink > 5, row.start);
        }
        const int plain = lineStartingWith(model, QStringLiteral("Row #1: ")) + 1;
        QVERIFY(!model.data(model.index(plain), velmora::app::TraceListModel::FileLineRole).isValid());
        QCOMPARE(model.data(model.index(model.markedLine()), velmora::app::TraceListModel::FileLineRole).toULongLong(),
                 qulonglong(603));
    }

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
