#include "help/ContextIDs.h"

#include <QTemporaryDir>
#include <QTest>

// The lookup Help makes from the program's folder, on the trees the build
// and `cmake --install` really lay out.
class TestInstalledHelp : public QObject
{
    Q_OBJECT

private slots:
    void findsTheHelpFile_data();
    void findsTheHelpFile();

private:
    QTemporaryDir m_empty;
};

void TestInstalledHelp::findsTheHelpFile_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("helpFile");
    const QString build = QStringLiteral(FOLIOTRACE_BUILD_DIR);
    const QString prefix = QStringLiteral(FOLIOTRACE_TEST_PREFIX);
    QTest::newRow("build tree: beside the program") << build << build + "/Foliotrace.HLP";
    QTest::newRow("installed: in share/foliotrace")
        << prefix + "/bin" << prefix + "/share/foliotrace/Foliotrace.HLP";
    QTest::newRow("nowhere: beside the program, for the viewer to name")
        << m_empty.path() << m_empty.path() + "/Foliotrace.HLP";
}

void TestInstalledHelp::findsTheHelpFile()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, helpFile);
    QCOMPARE(ContextIDs::locateHelpFile(programFolder), helpFile);
}

QTEST_GUILESS_MAIN(TestInstalledHelp)
#include "tst_installedhelp.moc"
