// Code page 932, the byte form of every text file: any bytes decode, and
// any text (lone surrogates included) encodes to exactly as many bytes as
// its length in bytes says, the same bytes again after a round trip.

#include "FuzzSupport.h"
#include "core/AnsiText.h"

using namespace morvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString decoded = FromAnsi(fuzz::Bytes(data, size));
    const QByteArray encoded = ToAnsi(decoded);
    MORVANE_FUZZ_CHECK(AnsiByteLength(decoded) == encoded.size());
    MORVANE_FUZZ_CHECK(ToAnsi(FromAnsi(encoded)) == encoded);

    // The same bytes as UTF-16 code units: text no file decoder would make.
    const QString units(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray unitsEncoded = ToAnsi(units);
    MORVANE_FUZZ_CHECK(AnsiByteLength(units) == unitsEncoded.size());
    MORVANE_FUZZ_CHECK(unitsEncoded.size() <= 2 * units.size());
    return 0;
}
