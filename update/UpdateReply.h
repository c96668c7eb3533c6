#pragma once

#include "update/UpdateOffer.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Reads the update service's answer. Everything in it comes from a server the program does not control,
// so every member is checked for its type and size and anything unexpected ends the check without an offer.
namespace updatereply {

// The longest release note shown; a longer one is refused rather than cut, since a cut note may mislead.
constexpr int kMaxNoteLength = 4000;

// The offer in `body`, or nothing when the body is not a JSON object, "code" is absent, not an integer or
// neither 0 nor 200, "data"."hasUpdate" is not true, "data"."latest"."version" is not a plain dotted number
// greater than `runningVersion`, the note is not a string of at most kMaxNoteLength characters, or
// "data"."forceUpdate" is present and not a boolean.
std::optional<UpdateOffer> parse(const QByteArray& body, const QString& runningVersion);

} // namespace updatereply
