// Hostile update replies. The input's first line is the running version (a plain one, else "1.1.1.5"), the
// rest the server's body: an offer is made only of a plain version newer than the running one, with a note
// of at most the longest length shown.
#include "update/UpdateReply.h"
#include "update/VersionNumber.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const int lineEnd = input.indexOf('\n');
    QString running = QString::fromUtf8(input.left(lineEnd < 0 ? 0 : lineEnd));
    if (!version::isPlain(running))
        running = QStringLiteral("1.1.1.5");
    const std::optional<UpdateOffer> offer = updatereply::parse(input.mid(lineEnd + 1), running);
    if (!offer)
        return 0;
    if (!version::isPlain(offer->version) || version::compare(offer->version, running) <= 0 ||
        offer->releaseNote.size() > updatereply::kMaxNoteLength)
        std::abort();
    return 0;
}
