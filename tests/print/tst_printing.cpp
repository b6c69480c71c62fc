#include "FakeWindow.h"
#include "ListingFixtures.h"

#include "print/PreviewSurface.h"
#include "print/PrintComposer.h"
#include "print/PrintError.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Prints through the private CUPS scheduler of the foliotrace_cups fixture
// and reads back what its queue received.
class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void printsComposedListing();
    void refusedJobRaises();
    void nothingToPrintRaises();
    void savesSamePagesAsPdf();
    void unwritablePdfRaises();

private:
    static QString run(const QString &program, const QStringList &args);
    QStringList receivedJobs() const;
    void compose(int rows);

    QDir m_jobs;
    PreviewSurface *m_vsp1 = nullptr;
    FakeWindow *m_window = nullptr;
    PrintComposer *m_composer = nullptr;
};

QString TestPrinting::run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

void TestPrinting::initTestCase()
{
    const QString dir = qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR");
    QVERIFY2(!dir.isEmpty() && qEnvironmentVariableIsSet("CUPS_SERVER"),
             "run through ctest: the foliotrace_cups fixture provides the printer");
    m_jobs.setPath(dir);
    QVERIFY(m_jobs.exists());
}

void TestPrinting::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const QString &job : m_jobs.entryList({QStringLiteral("job-*")}, QDir::Files))
        m_jobs.remove(job);
    m_vsp1 = new PreviewSurface;
    m_window = new FakeWindow;
    m_composer = new PrintComposer(m_vsp1, m_window);
}

void TestPrinting::cleanup()
{
    delete m_composer;
    delete m_vsp1;
    delete m_window;
}

QStringList TestPrinting::receivedJobs() const
{
    return m_jobs.entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
}

void TestPrinting::compose(int rows)
{
    m_window->path = QStringLiteral("/home/ann/Docs");
    m_window->grid = QStringLiteral("All");
    m_window->nextListing = numberedListing(rows);
    m_composer->SendPrintData();
}

static int pdfPages(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(60000);
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto match = pages.match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

static QString pdfText(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void TestPrinting::printsComposedListing()
{
    compose(250);
    QVERIFY(m_vsp1->PageTotal() >= 3);
    m_vsp1->SendToPrinter();

    QTRY_COMPARE_WITH_TIMEOUT(receivedJobs().size(), 1, 30000);
    const QString job = m_jobs.filePath(receivedJobs().constFirst());
    QCOMPARE(pdfPages(job), m_vsp1->PageTotal());
    QFile title(QString(job).replace(QStringLiteral(".pdf"), QStringLiteral(".title")));
    QVERIFY(title.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(title.readAll()), QStringLiteral("Listing of Docs"));
    const QString text = pdfText(job);
    QVERIFY(text.contains(QStringLiteral("/HOME/ANN/DOCS")));
    QVERIFY(text.contains(QStringLiteral("Listing of Docs")));
    QVERIFY(text.contains(QStringLiteral("Page %1").arg(m_vsp1->PageTotal())));
    for (int i = 0; i < 250; ++i)
        QVERIFY2(text.contains(QStringLiteral("entry %1\n").arg(i)), qPrintable(QString::number(i)));
}

void TestPrinting::refusedJobRaises()
{
    compose(5);
    const QString queue = run(QStringLiteral("lpstat"), {QStringLiteral("-d")}).section(u':', 1).trimmed();
    QVERIFY(!queue.isEmpty());
    run(QStringLiteral("cupsreject"), {queue});
    auto accept = qScopeGuard([&queue] { run(QStringLiteral("cupsaccept"), {queue}); });
    try {
        m_vsp1->SendToPrinter();
        QFAIL("a refused job must raise");
    } catch (const PrintError &error) {
        QCOMPARE(error.cause(), PrintError::Cause::JobRefused);
        QVERIFY(error.message().contains(queue));
    }
    QCOMPARE(receivedJobs().size(), 0);
}

void TestPrinting::nothingToPrintRaises()
{
    try {
        m_vsp1->SendToPrinter();
        QFAIL("printing without a document must raise");
    } catch (const PrintError &error) {
        QCOMPARE(error.cause(), PrintError::Cause::NoDocument);
    }
}

void TestPrinting::savesSamePagesAsPdf()
{
    compose(180);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("listing.pdf"));
    m_vsp1->SaveAsPdf(file);
    QCOMPARE(pdfPages(file), m_vsp1->PageTotal());
    const QString text = pdfText(file);
    QVERIFY(text.contains(QStringLiteral("/HOME/ANN/DOCS")));
    for (int i = 0; i < 180; ++i)
        QVERIFY2(text.contains(QStringLiteral("entry %1\n").arg(i)), qPrintable(QString::number(i)));
}

void TestPrinting::unwritablePdfRaises()
{
    compose(3);
    try {
        m_vsp1->SaveAsPdf(QStringLiteral("/nonexistent-folder/listing.pdf"));
        QFAIL("an unwritable file must raise");
    } catch (const PrintError &error) {
        QCOMPARE(error.cause(), PrintError::Cause::OutputFailed);
    }
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
