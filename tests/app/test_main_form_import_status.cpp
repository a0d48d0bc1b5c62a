#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include "support/MainFormFixture.h"
#include "app/MainFormImportObserver.h"
#include "app/TDebuggingForm.h"

using velmora::app::MainFormImportObserver;

namespace {

// Remembers the caption of the label at every paint.
class PaintLog : public QObject {
public:
    explicit PaintLog(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == label_ && event->type() == QEvent::Paint)
            painted << label_->text();
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* label_;
};

} // namespace

// What an import shows while it holds the event loop: DebugLabel repainted by
// hand, but not for every one of thousands of captions, and the trace window.
class TestMainFormImportStatus : public QObject {
    Q_OBJECT

private slots:
    void theStatusLabelRepaintsAtMostAboutThirtyTimesASecondAndEndsOnTheLastCaption()
    {
        QLabel label(QStringLiteral("DebugLabel"));
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QCoreApplication::processEvents();
        PaintLog log(&label);
        MainFormImportObserver observer(&label);

        QElapsedTimer clock;
        clock.start();
        const int captions = 20000;
        for (int i = 1; i <= captions; ++i)
            observer.SetStatus("Structure #" + std::to_string(i));
        const qint64 elapsed = clock.elapsed();
        QVERIFY(!log.painted.isEmpty());
        QCOMPARE(log.painted.first(), QStringLiteral("Structure #1"));   // the first caption at once
        QVERIFY2(log.painted.size() <= 2 + elapsed / 30, qPrintable(QString::number(log.painted.size())));
        observer.finish();
        QCOMPARE(log.painted.last(), QStringLiteral("Structure #20000"));   // throttled, yet the last one shows

        observer.SetStatus("", false);
        observer.finish();
        QCOMPARE(log.painted.last(), QString());
        observer.SetStatus("Done");
        QCOMPARE(log.painted.last(), QStringLiteral("Done"));   // a new import paints at once again
    }

    void traceCallsReachTheTraceWindow()
    {
        velmora::app::TDebuggingForm trace;
        QLabel label;
        MainFormImportObserver observer(&label);
        observer.setTraceWindow(&trace);
        observer.Trace("stale");
        observer.ClearTrace();
        observer.SetTraceCaption("Importing DirectX data?Files.... debugging output");
        observer.Trace("Error:");
        QCOMPARE(trace.windowTitle(), QStringLiteral("Importing DirectX data?Files.... debugging output"));
        QCOMPARE(velmora::testing::traceLines(trace).lineCount(), 1);
        QVERIFY(!trace.isVisible());
        observer.ShowTrace();
        QVERIFY(trace.isVisible());
    }
};

QTEST_MAIN(TestMainFormImportStatus)
#include "test_main_form_import_status.moc"
