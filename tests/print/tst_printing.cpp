#include "PrintTestSupport.h"

#include "print/DocumentOutput.h"
#include "print/ListingComposer.h"
#include "print/Paper.h"
#include "print/PrintError.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Prints through the private CUPS scheduler (queue foliotrace-test), which keeps each job it receives as a file.
class TestPrinting : public QObject
{
    Q_OBJECT

    QDir m_jobs{qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR")};
    std::unique_ptr<PreviewDocument> m_document;
    ListingText m_listing;

    QStringList jobs() const { return m_jobs.entryList({QStringLiteral("job-*.pdf")}, QDir::Files); }
    // What the scheduler passed on with the job: copies, then its options.
    QStringList sentOptions() const
    {
        QFile options(m_jobs.filePath(jobs().value(0).replace(QStringLiteral(".pdf"), QStringLiteral(".options"))));
        return options.open(QIODevice::ReadOnly) ? QString::fromUtf8(options.readAll()).split(u' ') : QStringList();
    }

    // The file has the document's pages, the path in its own case, the title,
    // the last page's number and every row.
    void checkPdf(const QString &file)
    {
        const QRegularExpression pages(QStringLiteral("Pages:\\s+%1\n").arg(m_document->pageCount()));
        QVERIFY(runTool(QStringLiteral("pdfinfo"), {file}).contains(pages));
        const QString text = runTool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        const QString lastPage = QStringLiteral("Page %1").arg(m_document->pageCount());
        QStringList parts{"/home/ann/Docs", "Listing of Docs", lastPage};
        for (int i = 0; i < m_listing.rows.size(); ++i)
            parts << QStringLiteral("entry %1\n").arg(i);
        for (const QString &part : parts)
            QVERIFY2(text.contains(part), qPrintable(part));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_jobs.exists() && qEnvironmentVariableIsSet("CUPS_SERVER"),
                 "run through ctest: the foliotrace_cups fixture provides the printer");
        QList<QStringList> rows;
        for (int i = 0; i < 250; ++i)
            rows.append({QStringLiteral("  -  entry %1").arg(i), QString::number(i), "3/7/2001"});
        m_listing = makeListing(rows);
        m_document = ListingComposer::composeListing(m_listing, {GridStyle::All, "/home/ann/Docs", "Listing of Docs"},
                                                     QPageSize(QPageSize::Letter));
        QVERIFY(m_document->pageCount() >= 3);
    }

    void init()
    {
        for (const QString &job : m_jobs.entryList({QStringLiteral("job-*")}, QDir::Files))
            m_jobs.remove(job);
    }

    void printsAndSavesTheSamePages()
    {
        DocumentOutput::sendToDefaultPrinter(*m_document);
        QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), 1, 30000);
        const QString job = m_jobs.filePath(jobs().constFirst());
        QFile title(QString(job).replace(QStringLiteral(".pdf"), QStringLiteral(".title")));
        QVERIFY(title.open(QIODevice::ReadOnly));
        QCOMPARE(title.readAll(), QByteArray("Listing of Docs"));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("listing.pdf"));
        writePdfFile(*m_document, file);
        for (const QString &pdf : {job, file})
            checkPdf(pdf);
    }

    void paperOfTheDefaultPrinter()
    {
        runTool(QStringLiteral("lpadmin"), {"-p", "foliotrace-test", "-o", "media-default=iso_a4_210x297mm"});
        const auto reset =
            qScopeGuard([] { runTool(QStringLiteral("lpadmin"), {"-p", "foliotrace-test", "-R", "media-default"}); });
        const Paper paper = Paper::ofDefaultPrinter();
        QCOMPARE(paper.size.id(), QPageSize::A4);
        QCOMPARE(paper.note, QStringLiteral("A4 paper, the default printer's (foliotrace-test)."));
    }

    // The job's printer, copies, pages and sides reach the print server with the paper, or are refused first.
    void jobOptions_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<PrintJob::Sides>("sides");
        QTest::addColumn<QString>("options");   // the job's, or the start of the message refusing it
        const auto printerDefault = PrintJob::Sides::PrinterDefault;
        QTest::newRow("the default printer, on the document's paper")
            << "" << 1 << "" << printerDefault << "copies=1 media=na_letter_8.5x11in";
        QTest::newRow("by name, two copies of pages 2 and 3 on both sides") << "foliotrace-test" << 2 << "2-3"
            << PrintJob::Sides::LongEdge << "copies=2 page-ranges=2-3 sides=two-sided-long-edge";
        QTest::newRow("from page 3 to the end") << "" << 1 << "3-" << printerDefault << "page-ranges=3-2147483647";
        QTest::newRow("a printer the server does not have") << "nowhere" << 1 << "" << printerDefault
                                                             << "The print server 127.0.0.1:";
        QTest::newRow("pages past the last") << "" << 1 << "90-99" << printerDefault << "The document has ";
    }
    void jobOptions()
    {
        QFETCH(QString, printer);
        QFETCH(int, copies);
        QFETCH(QString, pages);
        QFETCH(PrintJob::Sides, sides);
        QFETCH(QString, options);
        try {
            DocumentOutput::print(*m_document, {printer, copies, pages, sides, {}});
            QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), 1, 30000);
            const QStringList sent = sentOptions();
            for (const QString &option : options.split(u' '))
                QVERIFY2(sent.contains(option), qPrintable(sent.join(u' ')));
        } catch (const PrintError &error) {
            QVERIFY2(error.message().startsWith(options), qPrintable(error.message()));
            QCOMPARE(jobs().size(), 0);
        }
    }

    void refusedJobNamesTheQueue()
    {
        runTool(QStringLiteral("cupsreject"), {QStringLiteral("foliotrace-test")});
        const auto accept = qScopeGuard([] { runTool(QStringLiteral("cupsaccept"), {"foliotrace-test"}); });
        try {
            DocumentOutput::sendToDefaultPrinter(*m_document);
            QFAIL("no PrintError");
        } catch (const PrintError &error) {
            QCOMPARE(error.cause(), PrintError::Cause::JobRefused);
            QVERIFY2(error.message().contains("foliotrace-test"), qPrintable(error.message()));
        }
        QCOMPARE(jobs().size(), 0);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
