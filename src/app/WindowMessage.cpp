#include "app/WindowMessage.h"

#include "listing/ListingFormat.h"
#include "listing/ListingText.h"

#include <QScreen>

QMessageBox *showWindowMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text, const QString &details)
{
    auto *box = new QMessageBox(icon, parent->window()->windowTitle(), QString(), QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    const QScreen *screen = parent->screen();
    const int room = screen ? screen->availableGeometry().width() * 2 / 3 : 600;
    // The box wraps text at blanks; only a run without blanks (a path, as
    // a rule) can be wider than the screen.
    QStringList words = text.split(u' ');
    bool cut = false;
    for (QString &word : words) {
        QStringList lines = word.split(u'\n');
        for (QString &line : lines) {
            const QString fitted = box->fontMetrics().elidedText(line, Qt::ElideMiddle, room);
            cut = cut || fitted != line;
            line = fitted;
        }
        word = lines.join(u'\n');
    }
    box->setText(words.join(u' '));
    QStringList more;
    if (!details.isEmpty())
        more << details;
    if (cut)
        more << text;
    if (!more.isEmpty())
        box->setDetailedText(more.join(QStringLiteral("\n\n")));
    box->open();
    return box;
}

void showUnreadReport(QWidget *parent, const ListingText &listing)
{
    if (listing.problems.isEmpty())
        return;
    const qsizetype count = listing.problems.size();
    const QString text
        = (count == 1 ? QMessageBox::tr("One entry could not be read in full; the listing holds everything else.")
                      : QMessageBox::tr("%L1 entries could not be read in full; the listing holds everything else.")
                            .arg(count))
          + QStringLiteral("\n\n")
          + QMessageBox::tr("\"?\" stands for a size or a date that could not be read. A size followed by "
                            "\"+\", such as 1,235+, is the total of what could be read in a folder that "
                            "holds more.")
          + QStringLiteral("\n\n") + QMessageBox::tr("The entries are listed under Show Details.");
    showWindowMessage(parent, QMessageBox::Information, text, ListingFormat::problemLines(listing).join(u'\n'));
}
