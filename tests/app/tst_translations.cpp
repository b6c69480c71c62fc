// A pseudo-translation from the German catalog wraps each text it holds in ⟦ ⟧, lengthened to 130 % of the
// English at least: a text left bare escaped translation. The real catalogs load by the locale.

#include "app/CommandLine.h"
#include "app/Translations.h"
#include "app/ListingOptionsDialog.h"
#include "app/frmMain.h"
#include "help/FormChecks.h"
#include "help/Help.h"
#include "help/HelpViewer.h"
#include "help/WebLink.h"
#include "help/frmIntro.h"
#include "listing/FileSystemObject.h"
#include "settings/OptionStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

class PseudoTranslator : public QTranslator
{
public:
    explicit PseudoTranslator(const QString &catalog)
    {
        QFile file(catalog);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement())
                continue;
            if (xml.name() == u"name")
                context = xml.readElementText();
            else if (xml.name() == u"source")
                source = xml.readElementText();
            else if (xml.name() == u"translation")
                m_texts.insert(context + u'\x04' + source, lengthened(source, xml.readElementText()));
        }
    }
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString key = QString::fromUtf8(context) + u'\x04' + QString::fromUtf8(source);
        if (const auto it = m_texts.constFind(key); it != m_texts.cend())
            return *it;
        // Qt's own texts come from its own catalogs.
        return context[0] == 'Q' ? u'⟦' + QString::fromUtf8(source) + u'⟧' : QString();
    }

private:
    static QString lengthened(const QString &english, const QString &german)
    {
        const qsizetype wanted = (QString(english).remove(u'&').size() * 13 + 9) / 10;
        const qsizetype extra = std::max<qsizetype>(0, wanted - QString(german).remove(u'&').size());
        return u'⟦' + german + QString(extra, u'ä') + u'⟧';
    }
    QHash<QString, QString> m_texts;
};

// What is left of a text after its wrapped parts, the data it shows and the command line's option names.
QString escaped(QString text, const QStringList &data)
{
    static const QRegularExpression wrapped(QStringLiteral("⟦[^⟦⟧]*⟧"));
    static const QRegularExpression optionName(QStringLiteral("(?<![\\w-])--?[a-z][a-z-]*"));
    text.remove(u'&');
    for (qsizetype before = -1; before != text.size();) {
        before = text.size();
        text.remove(wrapped);
    }
    for (const QString &shown : data)
        text.remove(shown);
    text.remove(optionName);
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); }) ? text : QString();
}

QStringList textsOf(const QWidget *window)
{
    QStringList texts{window->windowTitle()};
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        texts << w->toolTip() << w->accessibleName() << w->property("text").toString()
              << w->property("placeholderText").toString();
        if (const auto *list = qobject_cast<const QComboBox *>(w); list && w->objectName() != u"Drive1") {
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        }
        if (const auto *browser = qobject_cast<const QTextBrowser *>(w))
            texts << browser->toPlainText();
        for (const QAction *action : w->actions())
            texts << action->text();
    }
    return texts;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    std::unique_ptr<PseudoTranslator> m_pseudo;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QGuiApplication::setQuitOnLastWindowClosed(false);
        m_pseudo = std::make_unique<PseudoTranslator>(QStringLiteral(FOLIOTRACE_SOURCE_DIR "/translations/foliotrace_de.ts"));
    }
    void init() { QCoreApplication::installTranslator(m_pseudo.get()); }
    void cleanup() { QCoreApplication::removeTranslator(m_pseudo.get()); }

    // Both windows in both states, help, messages, the command line: nothing escapes, nothing is cut off.
    void pseudoTranslationSweep_data()
    {
        QTest::addColumn<QString>("what");
        for (const char *what : {"main window", "main window, Preview state", "start-up window", "help window",
                                 "listing options", "messages", "command line"})
            QTest::newRow(what) << what;
    }
    void pseudoTranslationSweep()
    {
        QFETCH(QString, what);
        QStringList data{QDir::currentPath(), WebLink::makerHostName(), "Foliotrace", "support@brambleworks.example",
                         "Exampleton EX0 0XX", "Brambleworks", "PO Box", "Fax"};
        QStringList texts;
        std::unique_ptr<QWidget> window;
        if (what.startsWith(u"main")) {
            auto main = std::make_unique<frmMain>();
            QTimer::singleShot(0, main.get(), [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
            QVERIFY(main->Form_Load());
            if (what.endsWith(u"state"))
                main->cmdPrint_Click();
            window = std::move(main);
        } else if (what == u"start-up window") {
            window = std::make_unique<frmIntro>();
        } else if (what == u"listing options") {
            window = std::make_unique<ListingOptionsDialog>();
            data << "*.jpg; *.png" << "node_modules; *.tmp; .git";
        } else if (what == u"help window") {
            Help::registerHelpFile(nullptr, QStringLiteral("/nonexistent"));
            Help::showContents();
            window.reset(Help::helpViewer());
            data << "/nonexistent/Foliotrace.HLP" << "No such file or directory";
        } else if (what == u"messages") {
            SettingsLoadReport load;
            load.replaced = {{QStringLiteral("Print Files"), QStringLiteral("7"), QStringLiteral("1")}};
            texts << settingsLoadReportMessage(load)
                  << settingsSaveReportMessage({QStringLiteral("/c/f.conf"), QStringLiteral("Disk full"), {}})
                  << FileSystemError::describe(FileSystemError::Operation::OpenFolder, "/d", QStringLiteral("Denied"));
            data << "Print Files" << "Disk full" << "Denied";
        } else {
            for (const char *bad : {"--help", "--frobnicate", "--depth=0"})
                texts << CommandLine::parse({"foliotrace", bad, "--export", "x.csv", "/"}).text;
            data << "foliotrace" << "x.csv";
        }
        if (window) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            if (what == u"main window" || what == u"start-up window") // room for German at 130 %
                FormChecks::verifyLayout(window.get(), {"lblPath", "lblPrnt"});
            texts << textsOf(window.get());
        }
        for (const QString &text : std::as_const(texts))
            QVERIFY2(escaped(text, data).isEmpty(), qPrintable(text));
    }

    // The real catalogs, chosen by the locale; English needs none.
    void catalogsFollowTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("preview");
        QTest::newRow("German") << "de_DE" << "Druck&vorschau";
        QTest::newRow("French") << "fr_FR" << "Aperçu a&vant impression";
        QTest::newRow("Spanish") << "es_ES" << "Vista &previa";
        QTest::newRow("British English: as written") << "en_GB" << "&Print Preview";
        QTest::newRow("Japanese, no catalog: English") << "ja_JP" << "&Print Preview";
    }
    void catalogsFollowTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, preview);
        QCoreApplication::removeTranslator(m_pseudo.get());
        Translations::install(QLocale(locale), QStringLiteral(FOLIOTRACE_BUILD_DIR "/translations"));
        frmMain window;
        QCOMPARE(window.findChild<QAbstractButton *>(QStringLiteral("cmdPrint"))->text(), preview);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
