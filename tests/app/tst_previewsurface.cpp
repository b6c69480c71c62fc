// The preview surface: the document it is given, paged and shown; a composition that does not finish.

#include "app/FindBar.h"
#include "app/PreviewSurface.h"
#include "print/PrintTestSupport.h"

#include "print/ListingComposer.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

class TestPreviewSurface : public QObject
{
    Q_OBJECT

    PreviewSurface m_vsp1;

    static std::unique_ptr<PreviewDocument> composed(int rows, const std::function<void()> &yield = {})
    {
        return ListingComposer::composeListing(makeListing(QList<QStringList>(rows, {"+ Docs", "12", "1/2/2001"})),
                                               {GridStyle::None, "/home/ann/Docs", "Listing of Docs"},
                                               QPageSize(QPageSize::Letter), GridStyle::None, yield);
    }

private slots:
    void paging_data()
    {
        QTest::addColumn<int>("request");     // a page, or a key
        QTest::addColumn<int>("shown");

        QTest::newRow("page 2 of 3") << 2 << 2;
        QTest::newRow("past the end stays on the last") << 4 << 3;
        QTest::newRow("below -32768 goes to the first") << -32769 << 1;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 2;
        QTest::newRow("Page Up on page 1 stays") << int(Qt::Key_PageUp) << 1;
        QTest::newRow("End: the last page") << int(Qt::Key_End) << 3;
        QTest::newRow("Home on page 1 stays") << int(Qt::Key_Home) << 1;
    }

    void paging()
    {
        QFETCH(int, request);
        QFETCH(int, shown);

        PreviewSurface vsp1;
        QCOMPARE(vsp1.pageTotal(), 0);
        vsp1.setDocument(composed(120));
        QCOMPARE(vsp1.pageTotal(), 3);
        QSignalSpy spy(&vsp1, &PreviewSurface::shownPageChanged);
        if (request >= Qt::Key_Home)
            QTest::keyClick(vsp1.findChild<QAbstractScrollArea *>(), Qt::Key(request));
        else
            vsp1.setShownPage(request);
        QCOMPARE(vsp1.shownPage(), shown);
        QCOMPARE(spy, shown == 1 ? QList<QVariantList>{} : QList<QVariantList>{{shown}});
    }

    // Ctrl+F's bar over 160 rows on three pages: "Résumé.txt" is row 80 (page 2), "résumé-2.txt" row 150 (page 3).
    void findInThePreview_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("keys"); // pressed in the field after typing
        QTest::addColumn<int>("row");         // marked; -1 none
        QTest::addColumn<int>("page");        // not found: where the last letter that found one left it
        QTest::newRow("typing finds the first, case folded") << "RÉSUMÉ" << QList<int>{} << 80 << 2;
        QTest::newRow("Enter finds the next") << "résumé" << QList<int>{Qt::Key_Return} << 150 << 3;
        QTest::newRow("F3 twice goes round to the first") << "sumé" << QList<int>{Qt::Key_F3, Qt::Key_F3} << 80 << 2;
        QTest::newRow("Shift+F3 from the first goes round to the last")
            << "résumé" << QList<int>{(Qt::SHIFT | Qt::Key_F3).toCombined()} << 150 << 3;
        QTest::newRow("accents are not dropped, as in the name order") << "resume" << QList<int>{} << -1 << 2;
        QTest::newRow("the mark is no part of a name") << "-  f" << QList<int>{} << -1 << 3;
    }
    void findInThePreview()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, keys);
        QFETCH(int, row);
        QFETCH(int, page);
        QList<QStringList> rows;
        for (int i = 0; i < 160; ++i)
            rows.append({i == 80 ? "-  Résumé.txt" : i == 150 ? "-  résumé-2.txt" : QStringLiteral("-  file %1").arg(i),
                         "1", "1/2/2001"});
        const ListingText listing = makeListing(rows);
        PreviewSurface vsp1;
        vsp1.setDocument(ListingComposer::composeListing(listing, {}, QPageSize(QPageSize::Letter)), {},
                         std::make_shared<ListingSearch>(listing));
        vsp1.findBar()->open();
        for (QChar c : typed) { // letter by letter, beyond ASCII too
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(vsp1.findBar()->field(), &key);
        }
        QCOMPARE(vsp1.pageTotal(), 3);
        for (int key : keys)
            QTest::keyClick(vsp1.findBar()->field(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QCOMPARE(vsp1.markedRow(), row);
        QCOMPARE(vsp1.shownPage(), page);
        QCOMPARE(vsp1.findBar()->findChild<QLabel *>("findStatus")->text() == u"Not found", row < 0);
        QCOMPARE(vsp1.document().bodyRowPlace(row).page, row < 0 ? 0 : page);
    }

    // At 50 % the white page stands on a grey backdrop.
    void showsThePageOnABackdrop()
    {
        m_vsp1.setDocument(composed(1));
        m_vsp1.setZoom(PreviewSurface::ZoomMode::Percent, 50);
        m_vsp1.resize(600, 800);
        m_vsp1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_vsp1));
        const QImage shot = m_vsp1.grab().toImage();
        QCOMPARE(QColor(shot.pixel(20, 20)), QColor(128, 128, 128));
        QCOMPARE(QColor(shot.pixel(shot.width() / 2, 60)), QColor(Qt::white));
    }

    void unfinishedCompositionPutsEarlierBack_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::newRow("finished in slices: the new document, as laid out in one piece, on page 1") << "finished";
        QTest::newRow("cancelled in the layout: the earlier one on its page") << "cancelled";
    }
    void unfinishedCompositionPutsEarlierBack()
    {
        QFETCH(QString, outcome);
        PreviewSurface vsp1;
        vsp1.setDocument(composed(600));
        const int earlierTotal = vsp1.pageTotal();
        vsp1.setShownPage(4);
        QSignalSpy shown(&vsp1, &PreviewSurface::shownPageChanged);
        // While the layout runs, a page step or the label finds no page and no total.
        vsp1.beginReplacing();
        int yields = 0;
        try {
            vsp1.setDocument(composed(900, [&] {
                vsp1.setShownPage(2);
                QVERIFY(vsp1.pageTotal() == 0 && vsp1.shownPage() == 0);
                if (++yields == 3 && outcome == u"cancelled")
                    throw std::runtime_error("cancelled");
            }));
            QCOMPARE(outcome, QStringLiteral("finished"));
        } catch (const std::runtime_error &) {
            QVERIFY(outcome != u"finished");
            vsp1.keepEarlierDocument();
        }
        QVERIFY(yields >= 3);
        const bool finished = outcome == u"finished";
        // The page label's last word is the page now shown.
        QCOMPARE(vsp1.shownPage(), finished ? 1 : 4);
        QCOMPARE(shown.constLast().at(0).toInt(), vsp1.shownPage());
        QCOMPARE(vsp1.pageTotal(), finished ? composed(900)->pageCount() : earlierTotal);
    }
};

QTEST_MAIN(TestPreviewSurface)
#include "tst_previewsurface.moc"
