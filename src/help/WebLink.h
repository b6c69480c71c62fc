#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// Procedures shared by both windows: the maker's web site and opening it.
namespace WebLink {

// "https://www.brambleworks.example/"
QString makerWebAddress();
// "www.brambleworks.example", the caption of the link labels.
QString makerHostName();

// Opens address with the desktop's default browser. Every failure is
// ignored: with nothing to open web addresses, a click does nothing.
void openWebPage(QWidget *ownerWindow, const QString &address);

// What openWebPage hands the address to; QDesktopServices::openUrl unless
// replaced (tests). Returns the previous opener; an empty one restores the
// default.
using WebPageOpener = std::function<bool(const QUrl &)>;
WebPageOpener setWebPageOpener(WebPageOpener opener);

} // namespace WebLink
