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

#include <functional>
#include <optional>

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
    void savesSamePagesAsPdf();
    void refusedJobRaises();
    void failuresRaise();

private:
    static QString run(const QString &program, const QStringList &args);
    static std::optional<PrintError> errorOf(const std::function<void()> &action);
    QStringList receivedJobs() const;
    void compose(int rows);
    void checkPdf(const QString &file, int rows);

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

std::optional<PrintError> TestPrinting::errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const PrintError &error) {
        return error;
    }
    return std::nullopt;
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
    m_window->grid = QStringLiteral("All");
    m_window->nextListing = numberedListing(rows);
    m_composer->SendPrintData();
}

// The file has the document's pages, the upper-cased path, the title and every row.
void TestPrinting::checkPdf(const QString &file, int rows)
{
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
                           .match(run(QStringLiteral("pdfinfo"), {file}));
    QCOMPARE(pages.captured(1).toInt(), m_vsp1->PageTotal());
    const QString text = run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    QVERIFY(text.contains(QStringLiteral("/HOME/ANN/DOCS")));
    QVERIFY(text.contains(QStringLiteral("Listing of Docs")));
    QVERIFY(text.contains(QStringLiteral("Page %1").arg(m_vsp1->PageTotal())));
    for (int i = 0; i < rows; ++i)
        QVERIFY2(text.contains(QStringLiteral("entry %1\n").arg(i)), qPrintable(QString::number(i)));
}

void TestPrinting::printsComposedListing()
{
    compose(250);
    QVERIFY(m_vsp1->PageTotal() >= 3);
    m_vsp1->SendToPrinter();

    QTRY_COMPARE_WITH_TIMEOUT(receivedJobs().size(), 1, 30000);
    const QString job = m_jobs.filePath(receivedJobs().constFirst());
    QFile title(QString(job).replace(QStringLiteral(".pdf"), QStringLiteral(".title")));
    QVERIFY(title.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(title.readAll()), QStringLiteral("Listing of Docs"));
    checkPdf(job, 250);
}

void TestPrinting::savesSamePagesAsPdf()
{
    compose(180);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("listing.pdf"));
    m_vsp1->SaveAsPdf(file);
    checkPdf(file, 180);
}

void TestPrinting::refusedJobRaises()
{
    compose(5);
    const QString queue = run(QStringLiteral("lpstat"), {QStringLiteral("-d")}).section(u':', 1).trimmed();
    QVERIFY(!queue.isEmpty());
    run(QStringLiteral("cupsreject"), {queue});
    auto accept = qScopeGuard([&queue] { run(QStringLiteral("cupsaccept"), {queue}); });
    const auto error = errorOf([this] { m_vsp1->SendToPrinter(); });
    QVERIFY(error);
    QCOMPARE(error->cause(), PrintError::Cause::JobRefused);
    QVERIFY(error->message().contains(queue));
    QCOMPARE(receivedJobs().size(), 0);
}

void TestPrinting::failuresRaise()
{
    auto error = errorOf([this] { m_vsp1->SendToPrinter(); });
    QVERIFY(error);
    QCOMPARE(error->cause(), PrintError::Cause::NoDocument);
    compose(3);
    error = errorOf([this] { m_vsp1->SaveAsPdf(QStringLiteral("/nonexistent-folder/listing.pdf")); });
    QVERIFY(error);
    QCOMPARE(error->cause(), PrintError::Cause::OutputFailed);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
