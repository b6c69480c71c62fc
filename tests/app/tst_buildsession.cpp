#include "app/BuildProgressStrip.h"
#include "app/BuildSession.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

class TestBuildSession : public QObject
{
    Q_OBJECT

private slots:
    void yield_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("cancelInEvent");
        QTest::addColumn<bool>("eventsRun");
        QTest::addColumn<bool>("progressShown");
        const int hour = 3600 * 1000;
        QTest::newRow("due: events run, progress past its delay") << 0 << 0 << false << true << true;
        QTest::newRow("not due yet: events wait") << hour << 0 << false << false << false;
        QTest::newRow("before the progress delay: no progress") << 0 << hour << false << true << false;
        QTest::newRow("a cancel from a pending event stops this yield") << 0 << hour << true << true << false;
    }
    void yield()
    {
        QFETCH(int, interval);
        QFETCH(int, delay);
        QFETCH(bool, cancelInEvent);
        QFETCH(bool, eventsRun);
        QFETCH(bool, progressShown);
        BuildSession session;
        QWidget window;
        const BuildProgressStrip strip(&session, &window);
        session.setYieldInterval(interval);
        session.setProgressDelay(delay);
        QSignalSpy progress(&session, &BuildSession::progress);
        bool ran = false;
        QTimer::singleShot(0, &session, [&] {
            ran = true;
            if (cancelInEvent)
                session.cancel();
        });
        bool cancelled = false;
        try {
            BuildSession::Scope running(session);
            session.yield(42, 3, QStringLiteral("/srv/a"));
        } catch (const BuildSession::Cancelled &) {
            cancelled = true;
        }
        QCOMPARE(ran, eventsRun);
        QCOMPARE(cancelled, cancelInEvent);
        const QList<QVariantList> shown{{qsizetype(42), qsizetype(3), QStringLiteral("/srv/a")}};
        QCOMPARE(progress, progressShown ? shown : QList<QVariantList>());
        const QString told = window.findChild<QLabel *>(QStringLiteral("buildProgressText"))->text();
        QCOMPARE(told.startsWith("42 entries listed, 3 could not be read. Reading "), progressShown);
    }

    void runsNestAndCancelLastsOneRun()
    {
        BuildSession session;
        QSignalSpy running(&session, &BuildSession::runningChanged);
        session.cancel(); // idle: nothing to cancel
        {
            BuildSession::Scope build(session);
            BuildSession::Scope layout(session); // nested: the same run
            session.yield();
            session.cancel();
            QVERIFY_THROWS_EXCEPTION(BuildSession::Cancelled, session.yield());
        }
        QCOMPARE(running, (QList<QVariantList>{{true}, {false}}));
        BuildSession::Scope again(session);
        session.setYieldInterval(0);
        session.yield(); // a new run starts uncancelled
        QVERIFY(session.isRunning());
    }
};

QTEST_MAIN(TestBuildSession)
#include "tst_buildsession.moc"
