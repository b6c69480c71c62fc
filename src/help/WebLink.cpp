#include "help/WebLink.h"

#include <QDesktopServices>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcWebLink, "foliotrace.weblink")

namespace {

WebLink::WebPageOpener &opener()
{
    static WebLink::WebPageOpener current;
    return current;
}

} // namespace

namespace WebLink {

QString makerWebAddress()
{
    return QStringLiteral("https://www.brambleworks.example/");
}

QString makerHostName()
{
    return QUrl(makerWebAddress()).host();
}

void openWebPage(QWidget *ownerWindow, const QString &address)
{
    // The desktop picks the browser; the owner window plays no part here.
    Q_UNUSED(ownerWindow);
    try {
        const QUrl url(address);
        const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
        if (!opened)
            qCDebug(lcWebLink) << "nothing opened" << address;
    } catch (...) {
        // A failing opener must not reach the click handler.
        qCDebug(lcWebLink) << "opening failed" << address;
    }
}

WebPageOpener setWebPageOpener(WebPageOpener replacement)
{
    WebPageOpener previous = std::move(opener());
    opener() = std::move(replacement);
    return previous;
}

} // namespace WebLink
