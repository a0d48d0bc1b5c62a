// Everything the windows show can be read whole: long stored names, long list
// entries, every caption, the status label and long trace lines.

#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include "support/MainFormFixture.h"
#include "app/FileDialog.h"
#include "app/controls/ElidedLabel.h"
#include "support/UserActions.h"

using velmora::testing::choose;
using velmora::testing::MainFormFixture;
using velmora::testing::MainWindowUnderTest;

namespace {

// The room a control gives its caption, and the caption as drawn (a single
// "&" only underlines).
int captionRoom(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<QRadioButton*>(widget) ? QStyle::SE_RadioButtonContents
                                                                  : QStyle::SE_PushButtonContents;
        return button->style()->subElementRect(element, &option, button).width();
    }
    auto* label = static_cast<QLabel*>(widget);
    return label->contentsRect().width() - 2 * std::max(label->indent(), 0);
}

QString caption(QWidget* widget)
{
    QString text = qobject_cast<QAbstractButton*>(widget) ? static_cast<QAbstractButton*>(widget)->text()
                                                          : static_cast<QLabel*>(widget)->text();
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Captions of one window that do not fit their controls, as "name: caption".
QStringList cutCaptions(QWidget* window)
{
    // Pages not shown yet have not laid out their status groups.
    for (QLayout* layout : window->findChildren<QLayout*>())
        layout->activate();
    QStringList cut;
    QList<QWidget*> controls;
    for (QLabel* label : window->findChildren<QLabel*>())
        controls << label;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        controls << button;
    for (QWidget* control : controls) {
        const QString text = caption(control);
        if (control->fontMetrics().horizontalAdvance(text) > captionRoom(control))
            cut << QStringLiteral("%1: %2 (%3 > %4 px in %5)")
                       .arg(control->objectName(), text)
                       .arg(control->fontMetrics().horizontalAdvance(text))
                       .arg(captionRoom(control))
                       .arg(QFontInfo(control->font()).family());
    }
    return cut;
}

QString showTooltip(QWidget* widget, QPoint at)
{
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestMainFormReadable : public QObject {
    Q_OBJECT

private slots:
    void aStoredNameLongerThanTheFieldShowsWholeAndAnEditKeepsIt_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::newRow("structure name") << "BCB_ObjectName_Edit" << "Structures" << "Structure_Index";
        QTest::newRow("member name") << "BCB_PropertyName_Edit" << "Structure_Members" << "Member_Index";
    }

    void aStoredNameLongerThanTheFieldShowsWholeAndAnEditKeepsIt()
    {
        QFETCH(QString, field);
        QFETCH(QString, table);
        QFETCH(QString, key);
        const QString longName = QStringLiteral("lp") + QString(280, QLatin1Char('x'));
        MainWindowUnderTest w;
        const int structure = w.catalogue.addStructure("DDLONG", longName, "Long.");
        const int member = w.catalogue.addMember(structure, "dwLong", longName, "Long.");
        w.open();
        w.showStructuresEditPage();

        auto* edit = w.find<QLineEdit>(qPrintable(field));
        QCOMPARE(edit->text(), longName);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QStringLiteral("L"));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, QStringLiteral("beyond"));   // more than was stored: refused
        QTest::keyClick(edit, Qt::Key_Tab);

        const int row = table == QLatin1String("Structures") ? structure : member;
        QCOMPARE(w.catalogue.stored(table, key, row, QStringLiteral("BCB_Name")).toString(),
                 QStringLiteral("L") + longName.mid(1));
        QVERIFY(w.boxes.boxes().isEmpty());
    }

    void aLongFlagEntryShowsItsNameAfterAChoiceAndARefill()
    {
        const QString longFlag = QStringLiteral("DDBLTFX_MIRRORUPDOWN This flag mirrors the source surface upside down "
                                                "about its x-axis, and the rest of the description goes on at length.");
        MainWindowUnderTest w;
        const int structure = w.catalogue.addStructure("DDBLTFX", "TDDBltFX", "Blit effects.");
        const int member = w.catalogue.addMember(structure, "dwDDFX", "DDFX", "Effects.");
        w.catalogue.addFlag(member, longFlag, "Mirrors.");
        w.open();
        w.showStructuresViewPage();
        auto* viewFlags = w.find<QComboBox>("DirectX_MemberFlags_ComboBox");
        auto* editFlags = w.find<QComboBox>("BCB_PropertyFlags_ComboBox");
        choose(w.find<QComboBox>("DirectX_ComboBox"), 0);
        choose(w.find<QComboBox>("DirectX_StructureMember_ComboBox"), 0);
        choose(viewFlags, 0);
        QVERIFY(viewFlags->fontMetrics().horizontalAdvance(longFlag) > viewFlags->lineEdit()->width());
        for (QComboBox* flags : {viewFlags, editFlags}) {
            QCOMPARE(flags->currentText(), longFlag);
            QCOMPARE(flags->lineEdit()->cursorPosition(), 0);
        }

        // A refill at the next activation, and a choice in the edit page's list.
        QVERIFY(w.goToTraceWindow());
        QVERIFY(w.backToMainWindow());
        QTRY_COMPARE(viewFlags->currentText(), longFlag);
        QCOMPARE(viewFlags->lineEdit()->cursorPosition(), 0);
        QCOMPARE(editFlags->lineEdit()->cursorPosition(), 0);
        w.showStructuresEditPage();
        choose(editFlags, 0);
        QCOMPARE(editFlags->lineEdit()->cursorPosition(), 0);
    }

    void everyCaptionOfBothWindowsFitsItsControl()
    {
        MainFormFixture f;
        QTest::mouseClick(f.find<QPushButton>("BitBtn9"), Qt::LeftButton);   // "Linked: False", the longer state
        f.trace.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.trace));
        for (QWidget* window : {static_cast<QWidget*>(f.main.get()), static_cast<QWidget*>(&f.trace)}) {
            const QStringList cut = cutCaptions(window);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        }
        QVERIFY(f.main->findChildren<QLabel*>().size() > 40);   // the copies are measured too
    }

    void theStatusLabelShowsLongCaptionsElidedAndWholeInItsTooltip()
    {
        MainFormFixture f;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("untyped.txt"));
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("Nothing but prose\n");
        }
        velmora::app::FileDialogScript dialog;
        dialog.chooseNext(file);
        QTest::mouseClick(f.find<QPushButton>("BitBtn7"), Qt::LeftButton);
        auto* label = f.find<velmora::app::ElidedLabel>("DebugLabel");
        const QString error = QStringLiteral("AN ERROR OCCURRED. Check debug output for details...");
        QCOMPARE(label->text(), error);
        QCOMPARE(label->shownText(), error);   // fits whole

        QVERIFY(f.backToMainWindow());
        const QString importing = QStringLiteral("Importing file: '/home/someone/documents/DirectX SDK 5/reference "
                                                 "dumps/DirectDraw structures, second pass.txt'.... ");
        label->setText(importing);
        QCOMPARE(label->text(), importing);
        const QString shown = label->shownText();
        QVERIFY(shown.startsWith(QStringLiteral("Importing file: '/home")));
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.endsWith(QStringLiteral("pass.txt'.... ")));
        QCOMPARE(showTooltip(label, label->rect().center()), importing);
    }

    void longTraceLinesScrollSidewaysAndShowWholeInTheirTooltip()
    {
        velmora::app::MessageBoxRecorder boxes;
        velmora::app::TDebuggingForm trace;
        const std::string longLine = "Error Line: " + std::string(400, 'w') + " end";
        trace.appendLine("short");
        trace.appendLine(longLine);
        trace.appendLine("short again");
        trace.showTrace();
        QVERIFY(QTest::qWaitForWindowExposed(&trace));

        auto* list = trace.findChild<QListView*>(QStringLiteral("ListBox"));
        QVERIFY(list->uniformItemSizes());
        const QModelIndex row = list->model()->index(1, 0);
        const QString line = QString::fromStdString(longLine);
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        QVERIFY(list->visualRect(row).width() >= list->fontMetrics().horizontalAdvance(line));
        QCOMPARE(showTooltip(list->viewport(), QPoint(10, list->visualRect(row).center().y())), line);
    }
};

QTEST_MAIN(TestMainFormReadable)
#include "test_main_form_readable.moc"
