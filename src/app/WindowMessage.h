#pragma once

#include <QMessageBox>
#include <QString>

struct ListingText;

// Opens a window-modal message over parent without blocking, so the handler
// that shows it returns to the event loop at once. A word too wide for the
// screen (a path, as a rule) is cut in the middle, keeping its start and
// its end; the whole text is then under the message's details, after any
// details given. The box is open, and deletes itself once closed.
QMessageBox *showWindowMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                               const QString &details = QString());

// After a build that could not read everything: how many entries, what
// "?" and "+" mean, and the list of them as details.
void showUnreadReport(QWidget *parent, const ListingText &listing);
