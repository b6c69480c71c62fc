#pragma once

#include "help/frmIntro.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The main window's load shows the start-up window modally; this answers it
// with "I Agree" as soon as it is up, as a user would.
inline void agreeToStartupWindowWhenShown(QObject *context)
{
    auto *timer = new QTimer(context);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, context, [timer] {
        if (auto *intro = qobject_cast<frmIntro *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            QTest::mouseClick(intro->cmdOK(0), Qt::LeftButton);
        }
    });
    timer->start();
}
