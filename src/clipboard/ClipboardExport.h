#pragma once

#include "listing/ListingText.h"

#include <QString>

class QClipboard;

// The "Copy" command's logic, kept apart from the window so it can be tested
// without one. The window sets the indicator fields with the two rewrites
// below, builds the listing with a tab and CRLF, then hands title and
// listing to clipboardText() and the result to putOnClipboard().

// A spreadsheet reads a cell that starts with "+" or "-" as a formula; the
// lone default marks get an apostrophe in front so they stay text. Only the
// exact one-character texts are rewritten: "++", "+ ", "*" or "" pass as typed.
QString clipboardDirMark(const QString &typed);
QString clipboardFileMark(const QString &typed);

// A spreadsheet takes a cell that begins with "=", "+", "-", "@", a tab or a
// carriage return (after any white space, which it trims) for a formula: a name
// such as =cmd|' /C calc'!A0 would run. Such a cell gets an apostrophe in
// front, which keeps it text and does not show. Every export of cells for
// spreadsheets applies this one rule.
bool startsLikeFormula(QStringView cell);
QString formulaSafeCell(QStringView cell);

// title + CRLF + header row + body, rebuilt from the listing's structured
// rows with its own separators, then, when the build could not read
// everything, an empty line and one line per problem ("PATH: reason").
// Every cell, the title included, is made formula-safe, and one holding a
// tab, CR, LF or a double quote is written the way spreadsheets read it
// back as one cell: inside double quotes, with inner quotes doubled. Every
// other cell comes out as it stands in ListBody, so a listing of plain
// names and safe marks gives exactly title + CRLF + ListHeader + ListBody.
QString clipboardText(const QString &title, const ListingText &listing);

// One cell in the spreadsheet convention, formula-safe (unchanged when it
// needs neither).
QString clipboardCell(QStringView cell);

// Clears the clipboard, then sets text as its only (plain-text) content.
void putOnClipboard(const QString &text, QClipboard *clipboard);
