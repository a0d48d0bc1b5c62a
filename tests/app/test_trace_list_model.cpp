#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "app/TraceListModel.h"

using velmora::app::TraceListModel;

class TestTraceListModel : public QObject {
    Q_OBJECT

private slots:
    void linesComeBackByteForByte()
    {
        TraceListModel model;
        const std::string withNul("a\0b", 3);
        model.append("first");
        model.append("");
        model.append(withNul);
        model.append("\xc3\xa9t\xc3\xa9");
        QCOMPARE(model.lineCount(), 4);
        QCOMPARE(model.line(0), std::string_view("first"));
        QCOMPARE(model.line(1), std::string_view());
        QCOMPARE(model.line(2), std::string_view(withNul));
        QCOMPARE(model.line(3), std::string_view("\xc3\xa9t\xc3\xa9"));
        QCOMPARE(model.line(4), std::string_view());
        QCOMPARE(model.line(-1), std::string_view());
        model.flush();
        QCOMPARE(model.index(3).data().toString(), QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
    }

    void viewsHearOfAppendsInOneBatch()
    {
        TraceListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        for (int i = 0; i < 100; ++i)
            model.append("line");
        QCOMPARE(model.rowCount(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 0);
        QCOMPARE(inserted.first().at(2).toInt(), 99);
        QCOMPARE(model.rowCount(), 100);

        // A search tells the views at once, so a found row can be selected.
        model.append("late");
        QCOMPARE(model.findForward("late", 0), 100);
        QCOMPARE(model.rowCount(), 101);

        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.lineCount(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(model.rowCount(), 0);
    }

    void findsStayWithinTheirBounds()
    {
        TraceListModel model;
        for (const char* line : {"x0", "y1", "x2", "y3", "x4"})
            model.append(line);
        QCOMPARE(model.findForward("x", 0), 0);
        QCOMPARE(model.findForward("x", 1), 2);
        QCOMPARE(model.findForward("x", 5), -1);
        QCOMPARE(model.findForward("x", -1), -1);
        QCOMPARE(model.findForward("y", 4), -1);
        QCOMPARE(model.findBackward("x", 4), 4);
        QCOMPARE(model.findBackward("x", 3), 2);
        QCOMPARE(model.findBackward("y", 0), -1);
        QCOMPARE(model.findBackward("x", -1), -1);
        QCOMPARE(model.findBackward("x", 5), -1);
        // A text never matches across the end of a line into the next.
        QCOMPARE(model.findForward("0y", 0), -1);
        QCOMPARE(model.findBackward("3x", 4), -1);
    }
};

QTEST_MAIN(TestTraceListModel)
#include "test_trace_list_model.moc"
