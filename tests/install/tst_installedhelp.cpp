#include "help/Help.h"

#include <QTemporaryDir>
#include <QTest>

// The lookup Help makes from the program's folder, on the trees the build and `cmake --install` lay out.
class TestInstalledHelp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_empty;

private slots:
    void findsTheHelpFile_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("helpFile");
        const QString build = QStringLiteral(FOLIOTRACE_BUILD_DIR);
        const QString prefix = QStringLiteral(FOLIOTRACE_TEST_PREFIX);
        QTest::newRow("build tree: beside the program") << build << build + "/Foliotrace.HLP";
        QTest::newRow("installed: in share") << prefix + "/bin" << prefix + "/share/foliotrace/Foliotrace.HLP";
        QTest::newRow("nowhere: beside the program, for the viewer to name")
            << m_empty.path() << m_empty.path() + "/Foliotrace.HLP";
        QTest::newRow("in the root: no doubled separator") << "/" << "/Foliotrace.HLP";
        QTest::newRow("blanks count only in the test for a trailing separator") << "/opt/ " << "/opt/ Foliotrace.HLP";
    }
    void findsTheHelpFile()
    {
        QFETCH(QString, programFolder);
        QFETCH(QString, helpFile);
        QCOMPARE(Help::locateHelpFile(programFolder), helpFile);
    }
};

QTEST_GUILESS_MAIN(TestInstalledHelp)
#include "tst_installedhelp.moc"
