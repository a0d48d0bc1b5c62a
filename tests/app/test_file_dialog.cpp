#include <QDir>
#include <QFileDialog>
#include <QTest>

#include "app/FileDialog.h"

using velmora::app::FileDialog;
using velmora::app::FileDialogScript;
using velmora::app::OpenDialogSettings;

class TestFileDialog : public QObject {
    Q_OBJECT

private slots:
    void classicFiltersBecomeQtFilters()
    {
        QCOMPARE(FileDialog::qtNameFilters(QStringLiteral("Text Files (*.txt)|*.TXT")),
                 QStringList{QStringLiteral("Text Files (*.TXT *.txt)")});
        QCOMPARE(FileDialog::qtNameFilters(QStringLiteral("Docs|*.txt;*.Doc|All|*.*")),
                 (QStringList{QStringLiteral("Docs (*.txt *.TXT *.Doc *.doc *.DOC)"), QStringLiteral("All (*.*)")}));
        // A description without a pattern is no filter at all.
        QCOMPARE(FileDialog::qtNameFilters(QStringLiteral("Lonely")), QStringList());
        QCOMPARE(FileDialog::qtNameFilters(QString()), QStringList());
    }

    void theImportDialogIsConfiguredAsDescribed()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        FileDialog::applySettings(dialog, FileDialog::importSettings());
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("txt"));
        QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Text Files (*.TXT *.txt)")});
        QVERIFY(dialog.testOption(QFileDialog::ReadOnly));
    }

    void aScriptAnswersInsteadOfTheDialog()
    {
        FileDialogScript script;
        script.chooseNext(QStringLiteral("/tmp/structures.txt"));
        script.cancelNext();
        script.chooseNext(QStringLiteral("relative.txt"));

        QCOMPARE(FileDialog::getOpenFileName(nullptr), QStringLiteral("/tmp/structures.txt"));
        QCOMPARE(FileDialog::getOpenFileName(nullptr), QString());
        QCOMPARE(FileDialog::getOpenFileName(nullptr), QDir::current().absoluteFilePath(QStringLiteral("relative.txt")));
        QCOMPARE(script.unanswered(), 0);
        // A dialog nobody expected is a Cancel, and the test can see it happened.
        QCOMPARE(FileDialog::getOpenFileName(nullptr), QString());
        QCOMPARE(script.unanswered(), 1);

        QCOMPARE(script.asked().size(), 4);
        const OpenDialogSettings first = script.asked().first();
        QCOMPARE(first.defaultExtension, QStringLiteral("txt"));
        QCOMPARE(first.filter, QStringLiteral("Text Files (*.txt)|*.TXT"));
        QVERIFY(first.fileMustExist);
        QVERIFY(first.readOnly);
    }
};

QTEST_MAIN(TestFileDialog)
#include "test_file_dialog.moc"
