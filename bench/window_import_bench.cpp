// The main window's import of a Structures file, with its save, against the
// command-line tool's import with its save of the same file. The window is the
// real one, headless, driven through its import button (the file dialog
// answered by script), with the trace going into the trace window and the
// status label repainting as it does for the user; the tool runs as a whole
// process with its standard output in a file. Each run starts on a new
// catalogue. Target: the window within 1.5 x the tool.
//
//   window_import_bench [--file PATH] [--rows N] [--runs R] [--cli PATH]
//   (the file defaults to a generated one of 1,000,000 rows; R defaults to 3)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "BenchSupport.h"
#include "generators/StructuresFileGenerator.h"
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/TDebuggingForm.h"
#include "app/TMainForm.h"
#include "app/TraceListModel.h"

namespace {

using namespace velmora;

double secondsSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e9; }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A new, empty catalogue under the alias, as `velmora-cli init` makes it.
void newCatalogue(const QString& cli, const QString& home)
{
    QDir(home).removeRecursively();
    QProcess init;
    init.start(cli, {QStringLiteral("init")});
    if (!init.waitForFinished(-1) || init.exitStatus() != QProcess::NormalExit || init.exitCode() != 0)
        throw std::runtime_error("velmora-cli init failed: " + init.readAllStandardError().toStdString());
}

struct CliRun {
    double seconds = 0;
    double processor = 0;
    qint64 traceBytes = 0;
};

CliRun cliImport(const QString& cli, const QString& file, const QString& traceFile)
{
    QProcess import;
    import.setStandardOutputFile(traceFile);
    const double processorBefore = bench::ProcessorSeconds(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    import.start(cli, {QStringLiteral("import"), file});
    if (!import.waitForFinished(-1) || import.exitStatus() != QProcess::NormalExit || import.exitCode() != 0)
        throw std::runtime_error("velmora-cli import failed: " + import.readAllStandardError().toStdString());
    const double seconds = secondsSince(timer);
    return {seconds, bench::ProcessorSeconds(RUSAGE_CHILDREN) - processorBefore, QFileInfo(traceFile).size()};
}

struct WindowRun {
    double seconds = 0;
    double processor = 0;
    int traceLines = 0;
    QString status;
};

bool waitUntilActive(QWidget* window)
{
    QElapsedTimer timer;
    timer.start();
    while (QApplication::activeWindow() != window && timer.elapsed() < 10'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return QApplication::activeWindow() == window;
}

// From the click on "Import Structures" until the window has caught up with
// everything the import posted (the trace list's rows, the last repaints).
WindowRun windowImport(const QString& file)
{
    app::MessageBoxRecorder boxes;
    app::TDebuggingForm trace;
    app::TMainForm main;
    main.setDebuggingForm(&trace);
    main.show();
    if (!waitUntilActive(&main))
        throw std::runtime_error("the main window never became active");
    auto* importButton = main.findChild<QPushButton*>(QStringLiteral("BitBtn7"));
    auto* status = main.findChild<QLabel*>(QStringLiteral("DebugLabel"));
    auto* lines = trace.findChild<QListView*>(QStringLiteral("ListBox"));
    if (!importButton || !status || !lines)
        throw std::runtime_error("the window lacks its import button, status label or trace list");

    app::FileDialogScript dialog;
    dialog.chooseNext(file);
    const double processorBefore = bench::ProcessorSeconds(RUSAGE_SELF);
    QElapsedTimer timer;
    timer.start();
    importButton->click();
    QCoreApplication::processEvents();
    const double seconds = secondsSince(timer);
    const double processor = bench::ProcessorSeconds(RUSAGE_SELF) - processorBefore;
    if (!boxes.boxes().isEmpty())
        throw std::runtime_error("the import showed: " + boxes.texts().join(QStringLiteral(" | ")).toStdString());
    return {seconds, processor, lines->model()->rowCount(), status->text()};
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    // Aliases and catalogues of the bench stay away from the user's, for this
    // process and the tool it runs alike.
    const QString home = temp.path() + QStringLiteral("/home");
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toUtf8());

    QString file;
    QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/velmora-cli");
    std::uint64_t rows = 1'000'000;
    int runs = 3;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == QStringLiteral("--file") && hasValue)
            file = args[++i];
        else if (args[i] == QStringLiteral("--rows") && hasValue)
            rows = args[++i].toULongLong();
        else if (args[i] == QStringLiteral("--runs") && hasValue)
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QStringLiteral("--cli") && hasValue)
            cli = args[++i];
        else {
            std::fprintf(stderr, "usage: window_import_bench [--file PATH] [--rows N] [--runs R] [--cli PATH]\n");
            return 2;
        }
    }

    try {
        if (file.isEmpty()) {
            file = temp.path() + QStringLiteral("/structures.txt");
            bench::StructuresFileGenerator().WriteFile(file.toStdString(), rows);
        }
        std::printf("file %s, %lld bytes\n", qPrintable(file), static_cast<long long>(QFileInfo(file).size()));

        std::vector<double> windowTimes, cliTimes, windowProcessor, cliProcessor;
        for (int run = 1; run <= runs; ++run) {
            newCatalogue(cli, home);
            const CliRun tool = cliImport(cli, file, temp.path() + QStringLiteral("/trace.txt"));
            newCatalogue(cli, home);
            const WindowRun window = windowImport(file);
            cliTimes.push_back(tool.seconds);
            windowTimes.push_back(window.seconds);
            cliProcessor.push_back(tool.processor);
            windowProcessor.push_back(window.processor);
            std::printf("run %d: window %.2f s, processor %.2f s (%d trace lines, status \"%s\"); "
                        "velmora-cli %.2f s, processor %.2f s (%lld trace bytes)\n",
                        run, window.seconds, window.processor, window.traceLines, qPrintable(window.status),
                        tool.seconds, tool.processor, static_cast<long long>(tool.traceBytes));
            std::fflush(stdout);
        }
        const double windowMedian = median(windowTimes), cliMedian = median(cliTimes);
        const double ratio = windowMedian / cliMedian;
        std::printf("window import %.2f s, velmora-cli import %.2f s (medians of %d): ratio %.2f (target <= 1.5); "
                    "processor time %.2f s against %.2f s: %.2f\n",
                    windowMedian, cliMedian, runs, ratio, median(windowProcessor), median(cliProcessor),
                    median(windowProcessor) / median(cliProcessor));
        const bool met = ratio <= 1.5;
        std::printf("%s\n", met ? "target met" : "TARGET MISSED");
        return met ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "window_import_bench: %s\n", e.what());
        return 2;
    }
}
