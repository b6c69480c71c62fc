#pragma once

#include "app/FolderList.h"
#include "app/frmMain.h"
#include "help/frmIntro.h"
#include "settings/OptionStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// A helper that checks as it goes ends the test function when it failed.
#define VERIFY_STEP(call) \
    do { \
        call; \
        if (QTest::currentTestFailed()) \
            return; \
    } while (false)

// The real main window, loaded in a fresh folder with an option store of the
// test's own; the start-up window is answered "I Agree" as a user would.
class WindowFixture
{
protected:
    void setUpCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QGuiApplication::setQuitOnLastWindowClosed(false);
        m_previousFolder = QDir::currentPath();
    }
    void setUp()
    {
        QFile::remove(settingsFileName());
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
    }
    void tearDown()
    {
        // A message left open belongs to the window and goes with it.
        m_window.reset();
        QDir::setCurrent(m_previousFolder);
        m_root.reset();
    }

    void openWindow(bool show = true)
    {
        // The folder list starts where the program was started.
        QVERIFY(QDir::setCurrent(m_root->path()));
        m_window = std::make_unique<frmMain>();
        auto *timer = new QTimer(m_window.get());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, m_window.get(), [timer] {
            if (auto *intro = qobject_cast<frmIntro *>(QApplication::activeModalWidget())) {
                timer->deleteLater();
                QTest::mouseClick(intro->cmdOK(0), Qt::LeftButton);
            }
        });
        timer->start();
        m_window->Form_Load();
        if (!show)
            return;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // Highlights the entry in the folder list and opens it with Enter.
    void enterFolder(const QString &name)
    {
        auto *folders = control<FolderList>("Dir1");
        const QList<QTreeWidgetItem *> items = folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(items.size(), 1);
        folders->setCurrentItem(items.first());
        QTest::keyClick(folders, Qt::Key_Return);
    }

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return m_window ? m_window->findChild<T *>(QLatin1String(name)) : nullptr;
    }
    QAbstractButton *button(const char *name) const { return control<QAbstractButton>(name); }

    QMessageBox *shownMessage() const
    {
        const auto boxes = m_window ? m_window->findChildren<QMessageBox *>() : QList<QMessageBox *>();
        for (QMessageBox *box : boxes) {
            if (box->isVisible())
                return box;
        }
        return nullptr;
    }
    // Waits for the window's message, closes it and hands back its text
    // (empty when none came).
    QString dismissMessage()
    {
        if (!QTest::qWaitFor([this] { return shownMessage() != nullptr; }, 5000))
            return QString();
        const QString text = shownMessage()->text();
        shownMessage()->close();
        return text;
    }

    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_previousFolder;
    std::unique_ptr<frmMain> m_window;
};
