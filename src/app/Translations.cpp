#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <tuple>

namespace {

struct Loaded
{
    QString localeName;
    std::unique_ptr<QTranslator> ours;
    std::unique_ptr<QTranslator> qt;
};

Loaded &loaded()
{
    static Loaded catalogs;
    return catalogs;
}

} // namespace

namespace Translations {

QString catalogFolder(const QString &programFolder)
{
    const QString beside = programFolder + QStringLiteral("/translations");
    if (QFileInfo(beside).isDir())
        return beside;
    // FOLIOTRACE_DATA_FROM_PROGRAM: the install's data folder relative to its
    // program folder, so a relocated install still finds it.
    return QDir::cleanPath(programFolder + u'/' + QStringLiteral(FOLIOTRACE_DATA_FROM_PROGRAM)
                           + QStringLiteral("/translations"));
}

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QString install(const QLocale &locale, const QString &folder)
{
    Loaded &catalogs = loaded();
    const QString from = folder.isEmpty() ? catalogFolder(programFolder()) : folder;
    if (!catalogs.ours || catalogs.localeName != locale.name() + from) {
        catalogs.localeName = locale.name() + from;
        catalogs.ours = std::make_unique<QTranslator>();
        catalogs.qt = std::make_unique<QTranslator>();
        // The first of the user's languages with a catalog; English is the texts themselves.
        for (const QString &language : locale.uiLanguages()) {
            if (language.startsWith(QLatin1String("en")))
                break;
            if (catalogs.ours->load(QLocale(language), QStringLiteral("foliotrace"), QStringLiteral("_"), from)) {
                std::ignore = catalogs.qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
                break;
            }
        }
    }
    if (catalogs.ours->isEmpty())
        return QStringLiteral("en");
    QCoreApplication::installTranslator(catalogs.qt.get());
    QCoreApplication::installTranslator(catalogs.ours.get());
    return catalogs.ours->language();
}

} // namespace Translations
