// The preview surface: the document it is given, paged and shown; a composition that does not finish.

#include "app/PreviewSurface.h"
#include "print/PrintTestSupport.h"

#include "print/ListingComposer.h"

#include <QAbstractScrollArea>
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
        if (request >= Qt::Key_PageUp)
            QTest::keyClick(vsp1.findChild<QAbstractScrollArea *>(), Qt::Key(request));
        else
            vsp1.setShownPage(request);
        QCOMPARE(vsp1.shownPage(), shown);
        QCOMPARE(spy, shown == 1 ? QList<QVariantList>{} : QList<QVariantList>{{shown}});
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
