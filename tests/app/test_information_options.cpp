#include <QTest>
#include <sstream>

#include "app/InformationOptions.h"

// velmora --help and --version, answered before any application object; every
// other word is Qt's and starts the program as usual.
class TestInformationOptions : public QObject {
    Q_OBJECT

private slots:
    void answersOnlyHelpAndVersion_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("code");            // -1: the program starts
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: velmora [QT-OPTION]...";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "Usage: velmora [QT-OPTION]...";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "velmora " VELMORA_VERSION;
        QTest::newRow("after Qt's options") << QStringList{"-platform", "offscreen", "--version"} << 0
                                            << "velmora " VELMORA_VERSION;
        QTest::newRow("nothing") << QStringList{} << -1 << "";
        QTest::newRow("a Qt option holding an h") << QStringList{"-stylesheet", "look.qss"} << -1 << "";
        QTest::newRow("an unknown option") << QStringList{"--frobnicate"} << -1 << "";
    }

    void answersOnlyHelpAndVersion()
    {
        QFETCH(QStringList, words);
        QFETCH(int, code);
        QFETCH(QString, firstLine);
        std::vector<QByteArray> bytes{"velmora"};
        for (const QString& word : words)
            bytes.push_back(word.toLocal8Bit());
        std::vector<const char*> argv;
        for (const QByteArray& word : bytes)
            argv.push_back(word.constData());
        std::ostringstream out, err;
        const std::optional<int> answered =
            velmora::app::answerInformationOptions(static_cast<int>(argv.size()), argv.data(), out, err);
        QCOMPARE(answered.value_or(-1), code);
        QCOMPARE(QString::fromStdString(out.str()).section(QLatin1Char('\n'), 0, 0), firstLine);
        QCOMPARE(err.str(), std::string());
    }
};

QTEST_GUILESS_MAIN(TestInformationOptions)
#include "test_information_options.moc"
