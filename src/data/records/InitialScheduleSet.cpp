#include "data/records/InitialScheduleSet.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <array>

namespace morvane {

namespace {

InitialScheduleEntry Entry(const char16_t* text, const char* code, const char16_t* shownDate)
{
    InitialScheduleEntry entry;
    entry.text = QString::fromUtf16(text);
    entry.code = QString::fromLatin1(code);
    entry.shownDate = QString::fromUtf16(shownDate);
    entry.kind = entry.code.left(2).toInt();
    entry.holiday =
        entry.kind == int(ScheduleKind::Holiday) || entry.kind == int(ScheduleKind::EquinoxHoliday);
    return entry;
}

// Today's holidays under their names in law: 元日 and 成人の日, the
// Emperor's Birthday on 23 February (since 2020) and Sports Day in October.
const std::array<InitialScheduleEntry, 27>& Entries()
{
    static const std::array<InitialScheduleEntry, 27> entries{
        Entry(u"元日", "0100000101xx12", u"１月１日"),
        Entry(u"成人の日", "01000001xx2212", u"１月第２月曜日"),
        Entry(u"節分の日", "0400000203xx00", u"２月３日"),
        Entry(u"建国記念の日", "0100000211xx12", u"２月１１日"),
        Entry(u"バレンタインデー", "0400000214xx00", u"２月１４日"),
        Entry(u"天皇誕生日", "0100000223xx12", u"２月２３日"),
        Entry(u"ひなまつり", "0400000303xx00", u"３月３日"),
        Entry(u"ホワイトデー", "0400000314xx00", u"３月１４日"),
        Entry(u"春分の日", "10000003xxxx12", u"３月(日計算)"),
        Entry(u"エイプリルフール", "0400000401xx00", u"４月１日"),
        Entry(u"昭和の日", "0100000429xx12", u"４月２９日"),
        Entry(u"メーデー", "0400000501xx00", u"５月１日"),
        Entry(u"憲法記念日", "0100000503xx12", u"５月３日"),
        Entry(u"みどりの日", "0100000504xx12", u"５月４日"),
        Entry(u"こどもの日", "0100000505xx12", u"５月５日"),
        Entry(u"母の日", "04000005xx2100", u"５月第２日曜日"),
        Entry(u"父の日", "04000006xx3100", u"６月第３日曜日"),
        Entry(u"海の日", "01000007xx3212", u"７月第３月曜日"),
        Entry(u"山の日", "0100000811xx12", u"８月１１日"),
        Entry(u"敬老の日", "01000009xx3212", u"９月第３月曜日"),
        Entry(u"秋分の日", "10000009xxxx12", u"９月(日計算)"),
        Entry(u"スポーツの日", "01000010xx2212", u"１０月第２月曜日"),
        Entry(u"文化の日", "0100001103xx12", u"１１月３日"),
        Entry(u"勤労感謝の日", "0100001123xx12", u"１１月２３日"),
        Entry(u"クリスマスイブ", "0400001224xx00", u"１２月２４日"),
        Entry(u"クリスマス", "0400001225xx00", u"１２月２５日"),
        Entry(u"大晦日", "0400001231xx00", u"１２月３１日"),
    };
    return entries;
}

std::optional<int> UnlessUnset(const QString& digits)
{
    if (digits.contains(QLatin1Char('x')))
        return std::nullopt;
    return digits.toInt();
}

} // namespace

std::span<const InitialScheduleEntry> InitialScheduleEntries()
{
    return Entries();
}

TemplateFields DecodeTemplateCode(const QString& code)
{
    TemplateFields f;
    f.type = code.mid(0, 2).toInt();
    f.year = code.mid(2, 4).toInt();
    f.month = code.mid(6, 2).toInt();
    f.day = UnlessUnset(code.mid(8, 2));
    f.week = UnlessUnset(code.mid(10, 1));
    f.dayOfTheWeek = UnlessUnset(code.mid(11, 1));
    f.color = code.mid(12, 2).toInt();
    return f;
}

int CreateInitialSchedules(ScheduleDatabase& database,
                           std::span<const InitialScheduleEntry> selected)
{
    namespace f = schedule_fields;
    Recordset& rs = database.schedules();
    // The chosen entries land together or not at all, with one disk sync.
    Database& file = database.database();
    file.BeginTrans();
    int written = 0;
    try {
        for (const InitialScheduleEntry& entry : selected) {
            const TemplateFields fields = DecodeTemplateCode(entry.code);
            rs.AddNew();
            try {
                rs.SetValue(f::Type, fields.type);
                rs.SetValue(f::Year, fields.year);
                rs.SetValue(f::Month, fields.month);
                if (fields.day)
                    rs.SetValue(f::Day, *fields.day);
                if (fields.week)
                    rs.SetValue(f::Week, *fields.week);
                if (fields.dayOfTheWeek)
                    rs.SetValue(f::DayOfTheWeek, *fields.dayOfTheWeek);
                rs.SetValue(f::Color, fields.color);
                rs.SetValue(f::Message, entry.text);
                rs.Update();
            } catch (...) {
                rs.CancelUpdate();
                throw;
            }
            rs.MoveLast();
            ++written;
        }
        // Answered with the records: a run killed before the commit offers
        // the set again, one killed after it does not offer it twice.
        SettleInitialSet(database);
        file.CommitTrans();
    } catch (...) {
        if (file.InTransaction())
            file.Rollback();
        throw;
    }
    return written;
}

QString InitialSetCancelledText()
{
    return QStringLiteral("予定の作成をキャンセルしました。\r\n\r\n"
                          "もう一度、予定作成をしたい場合はモルヴァを終了し\r\n"
                          "「Morva.dat」ファイルを削除してから再度モルヴァを起動してください。");
}

} // namespace morvane
