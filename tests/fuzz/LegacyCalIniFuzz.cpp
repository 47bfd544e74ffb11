// Cal.ini, the data file of the first versions: bytes in code page 932,
// fields in list-input form, date codes, colours, and the warning texts.

#include "FuzzSupport.h"
#include "core/AnsiText.h"
#include "data/records/LegacyCalIni.h"

using namespace morvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = FromAnsi(fuzz::Bytes(data, size));
    const QStringList fields = ReadListInputFields(text);
    const std::vector<LegacyEntry> entries = ParseLegacyEntries(text);
    MORVANE_FUZZ_CHECK(entries.size() == size_t(fields.size() / 4));

    QStringList leftOut;
    for (const LegacyEntry& entry : entries) {
        const std::optional<int> color = LegacyColorCode(entry.color);
        const LegacyDateFields date = ConvertLegacyDateCode(entry.code, color);
        if (date.fifthWeekOrLater)
            leftOut.append(entry.message);
        MORVANE_FUZZ_CHECK(ShownPartOfMessage(entry.message).size() <= kShownMessageLength + 1);
    }
    if (!leftOut.isEmpty()) {
        const QString warning = FifthWeekWarningText(leftOut);
        MORVANE_FUZZ_CHECK(warning.size() <=
                           200 + kListedFifthWeekEntries * (kShownMessageLength + 5));
    }
    return 0;
}
