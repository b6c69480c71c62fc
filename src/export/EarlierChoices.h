#pragma once

// Internal to the export library: the listing choices read back from a
// saved listing's "options".

#include "export/JsonTokens.h"
#include "listing/ListingChoices.h"

// Reads the option at key when it is one of the listing choices (value, its
// first token, already read); false, with nothing more read, when it is not.
bool readListingChoice(JsonTokens &json, QByteArrayView key, JsonTokens::Token value, ListingChoices &choices);
