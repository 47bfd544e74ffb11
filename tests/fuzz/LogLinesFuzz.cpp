// Morva.log lines: any bytes read back as list-input fields the way the
// log is read, and a line written from two fields reads back as those two
// fields whenever they fit the log's form (no quote or line end inside,
// representable in code page 932).

#include "FuzzSupport.h"
#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "data/records/LegacyCalIni.h"

using namespace morvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const QStringList fields = ReadListInputFields(FromAnsi(bytes));

    const qsizetype half = bytes.size() / 2;
    const QString first = FromAnsi(bytes.left(half));
    const QString second = FromAnsi(bytes.mid(half));
    const QByteArray line = LogLineBytes(first, second);
    MORVANE_FUZZ_CHECK(line.endsWith("\r\n"));
    const auto fitsTheForm = [](const QString& field) {
        return !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\r')) &&
               !field.contains(QLatin1Char('\n')) && FromAnsi(ToAnsi(field)) == field;
    };
    if (fitsTheForm(first) && fitsTheForm(second)) {
        const QStringList back = ReadListInputFields(FromAnsi(line));
        MORVANE_FUZZ_CHECK(back == QStringList({first, second}));
    }
    Q_UNUSED(fields);
    return 0;
}
