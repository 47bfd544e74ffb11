#include "interchange/IcsSummary.h"

namespace morvane {

QString IcsImportSummary(const IcsImportPlan& plan, const IcsApplyResult& result)
{
    // Each record added is counted once, for the first event that gave it:
    // the lines below add up to the first one.
    std::vector<bool> counted(plan.entries.size(), false);
    int held = 0, expanded = 0, dates = 0, already = 0;
    for (const IcsEventEntries& event : plan.events) {
        int added = 0;
        for (int i = event.first; i < event.first + event.count; ++i) {
            const auto entry = std::size_t(plan.eventEntries[std::size_t(i)]);
            if (entry < result.entryAdded.size() && result.entryAdded[entry] && !counted[entry]) {
                counted[entry] = true;
                ++added;
            }
        }
        if (added == 0)
            ++already;
        else if (event.expanded)
            ++expanded, dates += added;
        else
            ++held;
    }
    QString text = QStringLiteral("%1件の予定を取り込みました。\r\n\r\n").arg(result.added);
    text += QStringLiteral("そのまま取り込んだ予定：%1件\r\n").arg(held);
    text += QStringLiteral("日付に展開した予定：%1件").arg(expanded);
    if (dates > 0)
        text += QStringLiteral("（%1日分）").arg(dates);
    text += QStringLiteral("\r\n取り込めなかった予定：%1件\r\n").arg(plan.skipped);
    text += QStringLiteral("既にあるため追加しなかった予定：%1件").arg(already);
    if (plan.capped > 0)
        text += QStringLiteral("\r\n日付が多すぎるため最初の%1日で打ち切った予定：%2件")
                    .arg(kMaxDatesPerEvent)
                    .arg(plan.capped);
    if (plan.cancelled > 0)
        text += QStringLiteral("\r\n取り消されているため取り込まなかった予定：%1件").arg(plan.cancelled);
    if (plan.alarmsLost > 0)
        text += QStringLiteral("\r\n予定のアラームにできなかったアラーム"
                               "（予定の日以外に鳴るもの、2つ目以降、繰り返しなど）：%1件")
                    .arg(plan.alarmsLost);
    if (plan.cut > 0)
        text += QStringLiteral("\r\n長すぎるため末尾を切り詰めた文：%1件").arg(plan.cut);
    return text;
}

QString IcsExpandQuestion(const IcsImportPlan& plan, const IcsExpandWindow& window)
{
    QString titles;
    for (const QString& title : plan.expandTitles)
        titles += QStringLiteral("「%1」").arg(title.isEmpty() ? QStringLiteral("（題名なし）") : title);
    if (plan.needExpanding > plan.expandTitles.size())
        titles += QStringLiteral("など");
    return QStringLiteral("%1の%2件の予定は、繰り返しの規則をそのまま取り込めません。\r\n"
                          "%3年から%4年までの日付に展開して取り込みますか？\r\n\r\n"
                          "［いいえ］を選ぶと、それらの予定は取り込みません。")
        .arg(titles)
        .arg(plan.needExpanding)
        .arg(window.fromYear)
        .arg(window.toYear);
}

} // namespace morvane
