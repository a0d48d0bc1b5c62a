#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/MainFormFixture.h"
#include "app/FileDialog.h"
#include "app/controls/ElidedLabel.h"
#include "generators/StructuresFileGenerator.h"

using namespace velmora;
using app::ElidedLabel;
using testing::MainFormFixture;

namespace {

const QString Done = QStringLiteral("Done. All structures were imported successfully!");

// Looks at the window at every paint of DebugLabel and of a memo while an
// import runs, and gives the window the user's input in the middle of it.
class ImportWatch : public QObject {
public:
    ImportWatch(ElidedLabel* label, QWidget* memoViewport, QList<QPair<QWidget*, QEvent*>> input)
        : label_(label), memo_(memoViewport), input_(std::move(input))
    {
        label_->installEventFilter(this);
        memo_->installEventFilter(this);
    }

    int memoPaints = 0;
    QStringList cursors;                  // the cursor shape at each paint of the label, as text
    QString captionWhenTimerRan;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QString caption = label_->text();
        if (event->type() != QEvent::Paint || caption == QLatin1String("DebugLabel") || caption == Done)
            return false;
        if (watched == memo_)
            ++memoPaints;
        if (watched != label_)
            return false;
        const QCursor* cursor = QApplication::overrideCursor();
        cursors << (cursor && cursor->shape() == Qt::WaitCursor ? QStringLiteral("busy") : QStringLiteral("other"));
        if (!input_.isEmpty()) {
            // What the user does now reaches the event loop only once the import gives it back.
            for (const auto& [receiver, given] : std::as_const(input_))
                QCoreApplication::postEvent(receiver, given);
            input_.clear();
            QTimer::singleShot(0, this, [this] { captionWhenTimerRan = label_->text(); });
        }
        return false;
    }

private:
    ElidedLabel* label_;
    QWidget* memo_;
    QList<QPair<QWidget*, QEvent*>> input_;
};

QEvent* mouse(QEvent::Type type, QWidget* on)
{
    const QPointF at = QRectF(on->rect()).center();
    return new QMouseEvent(type, at, on->mapToGlobal(at), Qt::LeftButton,
                           type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
}

} // namespace

// A long import holds the event loop: the window still paints, shows that it
// is busy, keeps the counter of its progress caption in view, and drops what
// the user clicks or types meanwhile.
class TestMainFormLongImport : public QObject {
    Q_OBJECT

private slots:
    void theProgressCaptionKeepsItsCounter_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("start");   // shown whole
        QTest::addColumn<QString>("end");     // shown whole
        const QString name = QStringLiteral("DDSURFACEDESC_WITH_AN_UNUSUALLY_LONG_NAME::lpDDSurfaceDescriptorPointer");
        QTest::newRow("member") << QStringLiteral("Saving Structure Member #5: '%1'").arg(name)
                                << "Saving Structure Member #5" << "Pointer'";
        QTest::newRow("flag") << QStringLiteral("Saving Structure Member Flag #123456: '%1'").arg(name)
                              << "Saving Structure Member Flag #123456" << "'";
        QTest::newRow("update") << QStringLiteral("Updating Structure #19999: '%1'").arg(name)
                                << "Updating Structure #19999" << "Pointer'";
        QTest::newRow("no counter") << QStringLiteral("Parsing Structure Member: '%1'").arg(name) << "Parsing"
                                    << "Pointer'";
        QTest::newRow("fits") << "Saving Structure #7: 'DDCAPS'" << "Saving Structure #7: 'DDCAPS'" << "";
    }

    void theProgressCaptionKeepsItsCounter()
    {
        QFETCH(QString, caption);
        QFETCH(QString, start);
        QFETCH(QString, end);
        MainFormFixture f;
        auto* label = f.find<ElidedLabel>("DebugLabel");
        label->setText(caption);
        const QString shown = label->shownText();
        QVERIFY2(shown.startsWith(start) && shown.endsWith(end), qPrintable(shown));
        QCOMPARE(shown.contains(QChar(0x2026)), shown != caption);
        QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(), qPrintable(shown));
        QCOMPARE(label->text(), caption);
    }

    void clicksAndKeysDuringTheImportAreDroppedWhileTheWindowPaints()
    {
        MainFormFixture f;
        f.showStructuresViewPage();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("structures.txt"));
        const auto counts = bench::StructuresFileGenerator().WriteFile(file.toStdString(), 20000);
        auto* label = f.find<ElidedLabel>("DebugLabel");
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        auto* clear = f.find<QPushButton>("BitBtn3");
        auto* showDbg = f.find<QPushButton>("BitBtn4");
        QKeyEvent* key = new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        ImportWatch watch(label, f.find<QPlainTextEdit>("DirectX_StructureDesc_Memo")->viewport(),
                          {{clear, mouse(QEvent::MouseButtonPress, clear)},
                           {clear, mouse(QEvent::MouseButtonRelease, clear)},
                           {showDbg, mouse(QEvent::MouseButtonPress, showDbg)},
                           {showDbg, mouse(QEvent::MouseButtonRelease, showDbg)},
                           {name, key}});

        app::FileDialogScript dialog;
        dialog.chooseNext(file);
        QTest::mouseClick(f.find<QPushButton>("BitBtn7"), Qt::LeftButton);
        QTest::qWait(50);

        QCOMPARE(label->text(), Done);
        QCOMPARE(f.catalogue.rowCount(QStringLiteral("Structures")), int(2 + counts.structures));
        QVERIFY(watch.memoPaints > 0);
        QVERIFY(!watch.cursors.isEmpty());
        QCOMPARE(watch.cursors.filter(QStringLiteral("busy")).size(), watch.cursors.size());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(watch.captionWhenTimerRan, Done);   // nothing ran inside the import
        QCOMPARE(f.boxes.texts(), QStringList());
        QVERIFY(!f.trace.isVisible());
        QVERIFY(!name->isModified());   // the key typed nothing

        // Afterwards the window takes input again.
        QTest::mouseClick(showDbg, Qt::LeftButton);
        QTRY_VERIFY(f.trace.isVisible());
    }
};

QTEST_MAIN(TestMainFormLongImport)
#include "test_main_form_long_import.moc"
