#include "PrintTestSupport.h"

#include "print/PdfWriter.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Read back by poppler, as a reader of the file would see it.
class TestPdfWriter : public QObject
{
    Q_OBJECT

private slots:
    void textReadsBack_data();
    void textReadsBack();
    void titleAndFonts();
    void refusedWriteFails();

private:
    QString writeFile(const QStringList &lines, int pages);

    QTemporaryDir m_dir;
};

QString TestPdfWriter::writeFile(const QStringList &lines, int pages)
{
    const QString name = m_dir.filePath(QStringLiteral("out%1.pdf").arg(QTest::currentDataTag()).remove(u' '));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    PdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Listing \u00e9"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(200);     // 10 pt in twips
    const int regular = writer.addFont(font, 20);
    font.setBold(true);
    const int bold = writer.addFont(font, 20);
    for (int page = 0; page < pages; ++page) {
        writer.beginPage(QSizeF(612, 792));
        qreal y = 72;
        for (const QString &line : lines) {
            writer.drawText(QPointF(72, y), line, page % 2 ? bold : regular);
            writer.drawLine(QPointF(72, y + 3), QPointF(300, y + 3), 0.75);
            y += 14;
        }
        writer.endPage();
    }
    return writer.finish() ? name : QString();
}

void TestPdfWriter::textReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");     // as pdftotext gives it back, spaces simplified

    const QString accented = QStringLiteral("caf\u00e9 \u00c5ngstr\u00f6m \u0141\u00f3d\u017a");
    const QString scripts = QStringLiteral("\u0424\u0430\u0439\u043b \u03a6\u03ac\u03ba\u03b5\u03bb\u03bf\u03c2");
    QTest::newRow("plain") << QStringLiteral("+ Every File") << QStringLiteral("+ Every File");
    QTest::newRow("string delimiters and backslash") << QStringLiteral("a (b) \\c) (") << QStringLiteral("a (b) \\c) (");
    QTest::newRow("accented Latin") << accented << accented;
    QTest::newRow("combining mark") << QStringLiteral("e\u0301t\u00e9") << QStringLiteral("\u00e9t\u00e9");
    QTest::newRow("Cyrillic and Greek") << scripts << scripts;
    // poppler hands right-to-left text back in display order.
    QTest::newRow("Hebrew") << QStringLiteral("\u05e9\u05dc\u05d5\u05dd.txt") << QStringLiteral("\u05dd\u05d5\u05dc\u05e9.txt");
    QTest::newRow("isolate marks leave no trace") << QStringLiteral("-  \u2068name.txt\u2069") << QStringLiteral("- name.txt");
}

void TestPdfWriter::textReadsBack()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    const QString file = writeFile({QStringLiteral("first line"), text}, 1);
    QVERIFY(!file.isEmpty());
    QString back = runTool("pdftotext", {"-enc", "UTF-8", file, "-"});
    back.remove(QRegularExpression(QStringLiteral("[\u202a-\u202e]")));
    back = back.normalized(QString::NormalizationForm_C).simplified();
    QCOMPARE(back, QStringLiteral("first line ") + read);
}

void TestPdfWriter::titleAndFonts()
{
    const QString file = writeFile({QStringLiteral("Sub-Directories"), QStringLiteral("12/7/2026")}, 3);
    QVERIFY(!file.isEmpty());
    const QString info = runTool(QStringLiteral("pdfinfo"), {file});
    QVERIFY2(info.contains(QStringLiteral("Listing \u00e9")), qPrintable(info));
    // Regular and bold, each embedded as a subset with a ToUnicode map.
    const QStringList fonts = runTool(QStringLiteral("pdffonts"), {file}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(fonts.size(), 2);
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QRegularExpression(QStringLiteral("\\+\\S+.*yes\\s+yes\\s+yes"))), qPrintable(font));
}

void TestPdfWriter::refusedWriteFails()
{
    QBuffer buffer;    // never opened: every write is refused
    PdfWriter writer(&buffer);
    writer.beginPage(QSizeF(612, 792));
    writer.endPage();
    QVERIFY(!writer.finish());
}

QTEST_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
