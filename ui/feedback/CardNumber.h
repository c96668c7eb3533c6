#pragma once

#include <QString>

// The number on the free service card: "VIP-XXXX-XXXX-XXXX", the first 12 of the 16 hexadecimal characters
// of the copy's device identifier in capitals (the identifier that names its run logs), so support can match
// a card to a stick's logs; 12 keep the number short enough for the card in the largest type. An identifier
// that is not 16 hexadecimal characters (a hand-edited file, or none at all) is first hashed into that
// shape. Nothing personal goes in.
QString cardNumberFor(const QString& deviceId);
