#pragma once

#include "listing/ListingText.h"
#include "print/PrintComposer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStringList>

#include <optional>
#include <stdexcept>

// Stands in for frmMain: the controls' values and the listing fields.
class FakeWindow : public PrintDataSource
{
public:
    QString grid = QStringLiteral("None");
    QString path = QStringLiteral("/home/ann/Docs");
    QString title = QStringLiteral("Listing of Docs");
    QString indicator = QStringLiteral("+");
    ListingText nextListing;
    bool failBuild = false;

    QString pageLabel = QStringLiteral("Page:");
    QStringList separators;
    std::optional<Qt::CursorShape> cursorDuringBuild;

    QString gridText() const override { return grid; }
    QString pathCaption() const override { return path; }
    QString titleText() const override { return title; }
    QString dirIndicator() const override { return indicator; }
    void CreatString(const QString &cSeperator, const QString &rSeperator) override
    {
        separators = {cSeperator, rSeperator};
        if (const QCursor *cursor = QGuiApplication::overrideCursor())
            cursorDuringBuild = cursor->shape();
        if (failBuild)
            throw std::runtime_error("Path not found");
        m_listing = nextListing;
    }
    const ListingText &listingText() const override { return m_listing; }
    void setPageLabel(const QString &caption) override { pageLabel = caption; }

private:
    ListingText m_listing;
};

