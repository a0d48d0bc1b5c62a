#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "app/MessageBox.h"
#include "app/TDebuggingForm.h"
#include "app/TraceLineDelegate.h"
#include "app/TraceListModel.h"

using velmora::app::MessageBox;
using velmora::app::MessageBoxRecorder;
using velmora::app::TDebuggingForm;

class TestTraceWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TDebuggingForm> form_;
    std::unique_ptr<MessageBoxRecorder> boxes_;

    QListView* list() const { return form_->findChild<QListView*>(QStringLiteral("ListBox")); }
    QLineEdit* edit() const { return form_->findChild<QLineEdit*>(QStringLiteral("Edit1")); }
    QPushButton* backward() const { return form_->findChild<QPushButton*>(QStringLiteral("BitBtn1")); }
    QPushButton* forward() const { return form_->findChild<QPushButton*>(QStringLiteral("BitBtn2")); }

    void fill(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            form_->appendLine(line);
        QCoreApplication::processEvents();
    }

    void typeSearchText(const QString& text)
    {
        edit()->setFocus();
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Delete);
        // keyClicks takes Latin-1 only; one key event per character carries any text.
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, edit(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QCOMPARE(edit()->text(), text);
    }

    // What the user sees as selected: -1 for nothing.
    int selected() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedIndexes();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    void selectByClick(int row)
    {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(index).center());
        QCOMPARE(selected(), row);
    }

    void clickForward() { QTest::mouseClick(forward(), Qt::LeftButton); }
    void clickBackward() { QTest::mouseClick(backward(), Qt::LeftButton); }

    void expectNotFound(const QString& text)
    {
        QCOMPARE(boxes_->texts(), QStringList{QStringLiteral("Could not find: '") + text + QStringLiteral("'")});
        QCOMPARE(boxes_->boxes().first().caption, QStringLiteral("Velmora"));
        boxes_->clear();
    }

    void expectNoBox() { QCOMPARE(boxes_->texts(), QStringList()); }

private slots:
    void init()
    {
        boxes_ = std::make_unique<MessageBoxRecorder>();
        form_ = std::make_unique<TDebuggingForm>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup()
    {
        form_.reset();
        boxes_.reset();
    }

    void startsHiddenWithItsLayout()
    {
        TDebuggingForm fresh;
        QVERIFY(!fresh.isVisible());
        QCOMPARE(fresh.windowTitle(), QStringLiteral("DebuggingForm"));
        QCOMPARE(fresh.pos(), QPoint(200, 108));
        QCOMPARE(fresh.size(), QSize(427, 273));

        QCOMPARE(list()->geometry(), form_->rect());
        QVERIFY(list()->uniformItemSizes());
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list()->model()->rowCount(), 0);
        QCOMPARE(backward()->geometry(), QRect(16, 16, 75, 25));
        QCOMPARE(edit()->geometry(), QRect(104, 16, 121, 21));
        QCOMPARE(forward()->geometry(), QRect(232, 16, 75, 25));
        QCOMPARE(backward()->text(), QStringLiteral("<- Search"));
        QCOMPARE(forward()->text(), QStringLiteral("Search ->"));
        QCOMPARE(edit()->text(), QStringLiteral("Edit1"));

        // The controls over the list must take the clicks, not the list under them.
        QCOMPARE(form_->childAt(backward()->geometry().center()), backward());
        QCOMPARE(form_->childAt(edit()->geometry().center()), edit());
        QCOMPARE(form_->childAt(forward()->geometry().center()), forward());
    }

    void tabOrderIsListButtonEditButton()
    {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        list()->setFocus();
        QTRY_VERIFY(list()->hasFocus());
        const QList<QWidget*> order{backward(), edit(), forward(), list()};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void emptyListReportsNotFoundBothWays()
    {
        clickForward();
        expectNotFound(QStringLiteral("Edit1"));
        clickBackward();
        expectNotFound(QStringLiteral("Edit1"));
        QCOMPARE(selected(), -1);
    }

    void forwardWithNothingSelectedStartsAtLineZero()
    {
        fill({"match zero", "other", "match two"});
        typeSearchText(QStringLiteral("match"));
        clickForward();
        expectNoBox();
        QCOMPARE(selected(), 0);
    }

    void forwardStepsThroughMatchesAndStopsAfterTheLast()
    {
        fill({"a x", "b", "c x", "d", "e x", "f"});
        typeSearchText(QStringLiteral("x"));
        clickForward();
        QCOMPARE(selected(), 0);
        clickForward();
        QCOMPARE(selected(), 2);
        clickForward();
        QCOMPARE(selected(), 4);
        expectNoBox();
        // No wrap while the last line is not selected.
        clickForward();
        expectNotFound(QStringLiteral("x"));
        QCOMPARE(selected(), 4);
    }

    void forwardFromTheLastLineStartsOverAndCanFindItself()
    {
        fill({"alpha", "beta", "gamma", "needle"});
        typeSearchText(QStringLiteral("needle"));
        selectByClick(3);
        clickForward();
        expectNoBox();
        QCOMPARE(selected(), 3);

        typeSearchText(QStringLiteral("beta"));
        clickForward();
        QCOMPARE(selected(), 1);
    }

    void backwardStepsUpAndStopsAtLineZero()
    {
        fill({"a", "b x", "c", "d x", "e"});
        typeSearchText(QStringLiteral("x"));
        selectByClick(4);
        clickBackward();
        QCOMPARE(selected(), 3);
        clickBackward();
        QCOMPARE(selected(), 1);
        expectNoBox();
        // Line 0 is the last one tested from here: no wrap to the end.
        clickBackward();
        expectNotFound(QStringLiteral("x"));
        QCOMPARE(selected(), 1);
    }

    void backwardFromTheFirstLineStartsAtTheLastAndCanFindItself()
    {
        fill({"needle", "b", "c"});
        typeSearchText(QStringLiteral("needle"));
        selectByClick(0);
        clickBackward();
        expectNoBox();
        QCOMPARE(selected(), 0);

        fill({"d needle"});
        clickBackward();
        QCOMPARE(selected(), 3);
    }

    void backwardWithNothingSelectedTestsNoLine()
    {
        fill({"x first", "middle", "x last", "tail"});
        typeSearchText(QStringLiteral("x"));
        clickBackward();
        expectNotFound(QStringLiteral("x"));
        QCOMPARE(selected(), -1);
    }

    void matchIsByteWiseAndCaseSensitive()
    {
        fill({"ABC", "xAbCx", "ab"});
        typeSearchText(QStringLiteral("abc"));
        clickForward();
        expectNotFound(QStringLiteral("abc"));
        QCOMPARE(selected(), -1);

        typeSearchText(QStringLiteral("bC"));
        clickForward();
        QCOMPARE(selected(), 1);

        // Non-ASCII text is compared on its bytes.
        fill({"Gr\xc3\xb6\xc3\x9f" "e"});
        typeSearchText(QString::fromUtf8("\xc3\xb6\xc3\x9f"));
        clickForward();
        QCOMPARE(selected(), 3);
    }

    void emptySearchTextMatchesOnlyAnEmptyLine()
    {
        fill({"one", "two"});
        typeSearchText(QString());
        clickForward();
        expectNotFound(QString());
        clickBackward();
        expectNotFound(QString());

        fill({"", "three"});
        clickForward();
        expectNoBox();
        QCOMPARE(selected(), 2);
    }

    void enterInTheSearchFieldSearchesForward()
    {
        fill({"a", "hit", "b", "hit"});
        typeSearchText(QStringLiteral("hit"));
        QTest::keyClick(edit(), Qt::Key_Return);
        QCOMPARE(selected(), 1);
        QTest::keyClick(edit(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(selected(), 3);
        expectNoBox();
    }

    void matchIsScrolledIntoView()
    {
        for (int i = 0; i < 5000; ++i)
            form_->appendLine("line " + std::to_string(i));
        QCoreApplication::processEvents();
        typeSearchText(QStringLiteral("line 4321"));
        clickForward();
        QCOMPARE(selected(), 4321);
        const QRect shown = list()->visualRect(list()->model()->index(4321, 0));
        QVERIFY(list()->viewport()->rect().contains(shown));
    }

    void appendingKeepsSelectionAndScrollPosition()
    {
        for (int i = 0; i < 2000; ++i)
            form_->appendLine("row " + std::to_string(i));
        QCoreApplication::processEvents();
        selectByClick(700);
        const int scroll = list()->verticalScrollBar()->value();
        QVERIFY(scroll > 0);

        for (int i = 0; i < 3000; ++i)
            form_->appendLine("more " + std::to_string(i));
        QCoreApplication::processEvents();
        QCOMPARE(list()->model()->rowCount(), 5000);
        QCOMPARE(selected(), 700);
        QCOMPARE(list()->verticalScrollBar()->value(), scroll);
    }

    void lineFeedStaysInsideItsLine()
    {
        fill({"Error: no 'QuickInfo'\nsection", "next"});
        QCOMPARE(list()->model()->rowCount(), 2);
        // What the list's delegate draws: the line feed as one marker the list's font has.
        struct DrawnText : velmora::app::TraceLineDelegate {
            using TraceLineDelegate::TraceLineDelegate;
            using TraceLineDelegate::initStyleOption;
        };
        QVERIFY(qobject_cast<velmora::app::TraceLineDelegate*>(list()->itemDelegate()));
        const DrawnText drawn(*static_cast<const velmora::app::TraceListModel*>(list()->model()));
        QStyleOptionViewItem option;
        option.initFrom(list());
        drawn.initStyleOption(&option, list()->model()->index(0, 0));
        const QString shown = option.text;
        QCOMPARE(shown.size(), qsizetype(std::string_view("Error: no 'QuickInfo'\nsection").size()));
        QVERIFY(shown.startsWith(QStringLiteral("Error: no 'QuickInfo'")));
        QVERIFY(shown.endsWith(QStringLiteral("section")));
        const QChar marker = shown.at(shown.indexOf(QStringLiteral("section")) - 1);
        QVERIFY(marker != QLatin1Char('\n') && marker != QChar::LineSeparator);
        QVERIFY2(QFontMetrics(list()->font()).inFont(marker), qPrintable(QString::number(marker.unicode(), 16)));
        // The search finds the line by its own text.
        typeSearchText(QStringLiteral("section"));
        clickForward();
        QCOMPARE(selected(), 0);
        // Uniform rows: the line is no taller than the others.
        QCOMPARE(list()->visualRect(list()->model()->index(0, 0)).height(),
                 list()->visualRect(list()->model()->index(1, 0)).height());
    }

    void clearLeavesNoLineAndNoSelection()
    {
        fill({"a", "b", "c"});
        selectByClick(1);
        form_->clearLines();
        QCoreApplication::processEvents();
        QCOMPARE(list()->model()->rowCount(), 0);
        QCOMPARE(selected(), -1);
        fill({"d"});
        QCOMPARE(list()->model()->rowCount(), 1);
        QCOMPARE(list()->model()->index(0, 0).data().toString(), QStringLiteral("d"));
    }

    void closingHidesAndKeepsEverything()
    {
        fill({"a", "b", "c"});
        form_->setTraceCaption(QStringLiteral("Importing DirectX Interfaces.... debugging output"));
        typeSearchText(QStringLiteral("b"));
        selectByClick(1);

        QVERIFY(form_->close());
        QVERIFY(!form_->isVisible());

        form_->toggleVisible();
        QVERIFY(form_->isVisible());
        QCOMPARE(form_->windowTitle(), QStringLiteral("Importing DirectX Interfaces.... debugging output"));
        QCOMPARE(list()->model()->rowCount(), 3);
        QCOMPARE(selected(), 1);
        QCOMPARE(edit()->text(), QStringLiteral("b"));

        form_->toggleVisible();
        QVERIFY(!form_->isVisible());
    }

    void showTraceMakesItTheActiveWindow()
    {
        form_->hide();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));

        form_->showTrace();
        QVERIFY(form_->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
};

QTEST_MAIN(TestTraceWindow)
#include "test_trace_window.moc"
