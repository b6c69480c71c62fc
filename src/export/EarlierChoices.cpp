#include "export/EarlierChoices.h"

#include "export/EarlierListing.h"

#include <memory>

// The listing choices, which decide what it could hold; true when key is one.
bool readListingChoice(JsonTokens &json, QByteArrayView key, JsonTokens::Token value, ListingChoices &c)
{
    using Token = JsonTokens::Token;
    const bool on = value == Token::True;
    if (value == Token::True || value == Token::False) {
        for (const auto &[name, flag] : {std::pair{"match_case", &c.matchCase},
                                         {"hidden", &c.hidden},
                                         {"prune_empty", &c.pruneEmpty},
                                         {"one_file_system", &c.oneFileSystem},
                                         {"links_once", &c.linksOnce}}) {
            if (key == name) {
                *flag = on;
                return true;
            }
        }
    } else if (value == Token::String && (key == "sizes" || key == "order")) {
        const QString word = QString::fromUtf8(json.text());
        if (key == "sizes")
            c.sizes = ListingChoiceText::sizesFromWord(word).value_or(c.sizes);
        else
            c.order = ListingChoiceText::orderFromWord(word).value_or(c.order);
        return true;
    } else if (value == Token::ArrayStart && (key == "include" || key == "skip")) {
        QStringList &patterns = key == "include" ? c.include : c.skip;
        while ((value = json.next()) != Token::ArrayEnd) {
            if (value == Token::String)
                patterns << QString::fromUtf8(json.text());
            json.skip(value);
        }
        return true;
    }
    return false;
}

std::shared_ptr<const ComparedListing> EarlierListing::load(const QString &fileName)
{
    EarlierListing read = EarlierListing::read(fileName);
    return std::make_shared<const ComparedListing>(
        ComparedListing{fileName, read.listed, std::move(read.options), std::move(read.entries)});
}
