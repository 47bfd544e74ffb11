// Recordsets: positions, searching, changing, fields and conversions.

#include "EngineTestSupport.h"

#include <QRegularExpression>
#include <functional>

namespace morvane {
namespace {

using testing_support::EngineFixture;
using testing_support::ErrorNumberOf;

class RecordsetTest : public EngineFixture
{
};

TEST_F(RecordsetTest, AppendGoesToTheEndAndDeleteMovesLaterRecordsDown)
{
    for (const char* message : {"a", "b", "c", "d"})
        Append(message);
    m_rs->FindFirst("[Message] = 'c'");
    EXPECT_EQ(m_rs->AbsolutePosition(), 2);

    Append("e");
    EXPECT_EQ(m_rs->AbsolutePosition(), 2) << "the record current before AddNew stays current";
    EXPECT_EQ(m_rs->GetValue("Message").toString(), "c");
    m_rs->MoveLast();
    EXPECT_EQ(m_rs->AbsolutePosition(), 4);

    m_rs->SetAbsolutePosition(1);
    m_rs->Delete();
    EXPECT_EQ(m_rs->AbsolutePosition(), -1);
    EXPECT_EQ(m_rs->RecordCount(), 4);
    m_rs->FindFirst("[Message] = 'c'");
    EXPECT_EQ(m_rs->AbsolutePosition(), 1);
    m_rs->FindFirst("[Message] = 'e'");
    EXPECT_EQ(m_rs->AbsolutePosition(), 3);

    // Deleting the last record and appending again keeps table order.
    m_rs->Delete();
    Append("f");
    EXPECT_EQ(Messages(), QStringList({"a", "c", "d", "f"}));
    Reopen();
    EXPECT_EQ(Messages(), QStringList({"a", "c", "d", "f"}));
}

// A pass may leave unread a field no record uses; it must never be told
// so of a field that holds a value, from the file, a new record, a change
// or a pending edit.
TEST_F(RecordsetTest, AFieldIsSaidEmptyOnlyWhileNoRecordHoldsAValue)
{
    Append("a");
    const int message = m_rs->FieldIndex("Message");
    const int type = m_rs->FieldIndex("Type");
    const int year = m_rs->FieldIndex("Year");
    EXPECT_TRUE(m_rs->FieldMayHoldValues(message));
    EXPECT_FALSE(m_rs->FieldMayHoldValues(year));

    m_rs->MoveFirst();
    m_rs->Edit();
    EXPECT_TRUE(m_rs->FieldMayHoldValues(year)) << "the edit buffer may hold one";
    m_rs->SetValue("Year", 8);
    m_rs->Update();
    EXPECT_TRUE(m_rs->FieldMayHoldValues(year)) << "changed into a value";

    Reopen();
    EXPECT_TRUE(m_rs->FieldMayHoldValues(year)) << "read from the file";
    EXPECT_TRUE(m_rs->FieldMayHoldValues(type));

    m_rs->MoveFirst();
    m_rs->Edit();
    m_rs->SetValue("Year", Value::Null());
    m_rs->Update();
    Reopen();
    EXPECT_FALSE(m_rs->FieldMayHoldValues(year)) << "Null again in every record of the file";
    Append("b");
    m_rs->AddNew();
    m_rs->SetValue("Year", 3);
    m_rs->Update();
    EXPECT_TRUE(m_rs->FieldMayHoldValues(year)) << "a new record holds one";
}

// A field Null in every record takes no room until a record gets a value
// in it: whichever record, by whichever change, memory and file then hold
// the same values, and a search finds them.
TEST_F(RecordsetTest, AFieldNullInEveryRecordTakesItsFirstValueFromAnyChange)
{
    struct Case
    {
        const char* name;
        std::function<void(Recordset&)> change;
        QStringList years; // afterwards, in table order; "-" for Null
    };
    const auto edit = [](Recordset& rs, int position, int year) {
        rs.SetAbsolutePosition(position);
        rs.Edit();
        rs.SetValue("Year", year);
        rs.Update();
    };
    const auto add = [](Recordset& rs, const Value& year) {
        rs.AddNew();
        rs.SetValue("Message", "e");
        rs.SetValue("Year", year);
        rs.Update();
    };
    const Case cases[] = {
        {"the first record edited", [&](Recordset& rs) { edit(rs, 0, 1); }, {"1", "-", "-", "-"}},
        {"a middle record edited", [&](Recordset& rs) { edit(rs, 2, 2); }, {"-", "-", "2", "-"}},
        {"the last record edited", [&](Recordset& rs) { edit(rs, 3, 3); }, {"-", "-", "-", "3"}},
        {"a new record with a value", [&](Recordset& rs) { add(rs, 4); },
         {"-", "-", "-", "-", "4"}},
        {"a new record without one", [&](Recordset& rs) { add(rs, Value::Null()); },
         {"-", "-", "-", "-", "-"}},
        {"a record deleted, then one edited",
         [&](Recordset& rs) {
             rs.SetAbsolutePosition(1);
             rs.Delete();
             edit(rs, 2, 5);
         },
         {"-", "-", "5"}},
    };
    const auto years = [this] {
        QStringList list;
        for (m_rs->MoveFirst(); !m_rs->IsEOF(); m_rs->MoveNext()) {
            const Value year = m_rs->GetValue("Year");
            list.append(year.isNull() ? QStringLiteral("-") : year.toString());
        }
        return list;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (m_rs->MoveFirst(); !m_rs->IsEOF(); m_rs->MoveNext())
            m_rs->Delete();
        for (const char* message : {"a", "b", "c", "d"})
            Append(message);
        Reopen(); // read from the file with the field Null throughout
        c.change(*m_rs);
        EXPECT_EQ(years(), c.years) << "in memory";
        const qsizetype valued = c.years.indexOf(QRegularExpression("\\d"));
        m_rs->FindFirst("[Year] > 0");
        EXPECT_EQ(m_rs->NoMatch() ? -1 : m_rs->AbsolutePosition(), valued);
        Reopen();
        EXPECT_EQ(years(), c.years) << "in the file";
    }
}

TEST_F(RecordsetTest, AbsolutePositionReadsAndSets)
{
    EXPECT_EQ(m_rs->AbsolutePosition(), -1) << "empty table";
    EXPECT_TRUE(m_rs->IsEOF());
    m_rs->MoveFirst(); // an empty table has no first record, and that is no error
    EXPECT_EQ(m_rs->AbsolutePosition(), -1);

    for (const char* message : {"a", "b", "c"})
        Append(message);
    m_rs->SetAbsolutePosition(2);
    EXPECT_EQ(m_rs->AbsolutePosition(), 2);
    EXPECT_EQ(m_rs->GetValue("Message").toString(), "c");
    m_rs->SetAbsolutePosition(0);
    EXPECT_EQ(m_rs->GetValue("Message").toString(), "a");

    EXPECT_EQ(ErrorNumberOf([&] { m_rs->SetAbsolutePosition(3); }), 3001);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->SetAbsolutePosition(-1); }), 3001);
    EXPECT_EQ(m_rs->AbsolutePosition(), 0) << "a refused position moves nothing";

    m_rs->MoveLast();
    m_rs->MoveNext();
    EXPECT_TRUE(m_rs->IsEOF());
    EXPECT_EQ(m_rs->AbsolutePosition(), -1);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->GetValue("Message"); }), 3021);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->MoveNext(); }), 3021);
}

TEST_F(RecordsetTest, RecordIdsSurviveDeletionsThatMovePositions)
{
    EXPECT_EQ(m_rs->RecordId(), 0) << "no current record";
    for (const char* message : {"a", "b", "c"})
        Append(message);
    m_rs->SetAbsolutePosition(2);
    const qint64 idOfC = m_rs->RecordId();
    EXPECT_NE(idOfC, 0);
    EXPECT_EQ(m_rs->RecordIdAt(2), idOfC);
    EXPECT_EQ(m_rs->RecordIdAt(3), 0);

    m_rs->SetAbsolutePosition(0);
    const qint64 idOfA = m_rs->RecordId();
    m_rs->Delete();
    EXPECT_EQ(m_rs->PositionOfRecordId(idOfC), 1) << "c moved down with its id";
    EXPECT_EQ(m_rs->PositionOfRecordId(idOfA), -1) << "a is gone";

    Reopen();
    EXPECT_EQ(m_rs->PositionOfRecordId(idOfC), 1) << "ids are kept in the file";
    Append("d");
    m_rs->MoveLast();
    const qint64 idOfD = m_rs->RecordId();
    EXPECT_GT(idOfD, idOfC);
    m_rs->Delete();
    Append("e");
    m_rs->MoveLast();
    EXPECT_GT(m_rs->RecordId(), idOfD) << "the id of a record deleted from the end is not reused";
}

TEST_F(RecordsetTest, FindNextWalksMatchesAndNoMatchKeepsTheCurrentRecord)
{
    for (int type : {0, 1, 0, 0, 1})
        Append(QString::number(type), type);
    QList<int> found;
    m_rs->FindFirst("[Type] = 0");
    while (!m_rs->NoMatch()) {
        found.append(m_rs->AbsolutePosition());
        m_rs->FindNext("[Type] = 0");
    }
    EXPECT_EQ(found, QList<int>({0, 2, 3}));
    EXPECT_EQ(m_rs->AbsolutePosition(), 3) << "the last match stays current";

    m_rs->SetAbsolutePosition(1);
    m_rs->FindFirst("[Type] = 7");
    EXPECT_TRUE(m_rs->NoMatch());
    EXPECT_EQ(m_rs->AbsolutePosition(), 1);

    // A malformed filter raises and leaves the position alone as well.
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->FindNext("[Type] = '"); }), 3077);
    EXPECT_EQ(m_rs->AbsolutePosition(), 1);
}

TEST_F(RecordsetTest, DeletingWhileSearchingRemovesEveryMatch)
{
    // Adjacent matches are the case a wrong "continue after" would skip.
    for (int type : {1, 1, 0, 1, 0, 1})
        Append(QString::number(type), type);
    int deleted = 0;
    m_rs->FindFirst("[Type] = 1");
    while (!m_rs->NoMatch()) {
        m_rs->Delete();
        ++deleted;
        m_rs->FindNext("[Type] = 1");
    }
    EXPECT_EQ(deleted, 4);
    EXPECT_EQ(Messages(), QStringList({"0", "0"}));
}

TEST_F(RecordsetTest, MoveNextAfterDeleteVisitsTheFollowingRecord)
{
    for (const char* message : {"keep1", "drop", "keep2", "drop", "drop"})
        Append(message);
    QStringList visited;
    m_rs->MoveFirst();
    while (!m_rs->IsEOF()) {
        const QString message = m_rs->GetValue("Message").toString();
        visited.append(message);
        if (message == "drop") {
            m_rs->Delete();
            EXPECT_EQ(ErrorNumberOf([&] { m_rs->GetValue("Message"); }), 3167);
            EXPECT_FALSE(m_rs->IsEOF());
        }
        m_rs->MoveNext();
    }
    EXPECT_EQ(visited, QStringList({"keep1", "drop", "keep2", "drop", "drop"}));
    EXPECT_EQ(Messages(), QStringList({"keep1", "keep2"}));
}

TEST_F(RecordsetTest, AddNewOnAnEmptyTableIsReachedWithMoveLast)
{
    m_rs->AddNew();
    EXPECT_EQ(m_rs->GetEditMode(), EditMode::Adding);
    EXPECT_TRUE(m_rs->GetValue("Message").isNull()) << "a new record starts all Null";
    m_rs->Update();
    EXPECT_EQ(m_rs->GetEditMode(), EditMode::None);
    EXPECT_TRUE(m_rs->IsEOF());
    m_rs->MoveLast();
    EXPECT_EQ(m_rs->AbsolutePosition(), 0);
    EXPECT_TRUE(m_rs->GetValue("Type").isNull());
}

TEST_F(RecordsetTest, EditChangesOnlyTheCurrentRecordAndMovingDiscardsIt)
{
    for (const char* message : {"a", "b"})
        Append(message);
    m_rs->SetAbsolutePosition(1);
    m_rs->Edit();
    m_rs->SetValue("Message", "B");
    EXPECT_EQ(m_rs->GetValue("Message").toString(), "B") << "reads see the edit buffer";
    m_rs->Update();
    EXPECT_EQ(Messages(), QStringList({"a", "B"}));

    m_rs->SetAbsolutePosition(0);
    m_rs->Edit();
    m_rs->SetValue("Message", "lost");
    m_rs->MoveLast();
    m_rs->SetAbsolutePosition(0);
    m_rs->Edit();
    m_rs->SetValue("Message", "cancelled");
    m_rs->CancelUpdate();
    EXPECT_EQ(Messages(), QStringList({"a", "B"}));

    EXPECT_EQ(ErrorNumberOf([&] { m_rs->Update(); }), 3020);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->SetValue("Message", "x"); }), 3020);
}

TEST_F(RecordsetTest, FieldNamesMatchWithoutRegardToCase)
{
    m_rs->AddNew();
    m_rs->SetValue("MESSAGE", "upper");
    m_rs->SetValue("type", QStringList({"a", "b", "c", "d", "e"}).size()); // a qsizetype
    m_rs->Update();
    m_rs->MoveFirst();
    EXPECT_EQ(m_rs->GetValue("message").toString(), "upper");
    EXPECT_EQ(m_rs->GetValue("TyPe").toInt(), 5);
    EXPECT_EQ(m_rs->Fields("mESSAGE").name, "Message");
    EXPECT_EQ(m_rs->FieldIndex("alarm"), 4);
    EXPECT_EQ(m_rs->Size("message"), 20);
    EXPECT_EQ(m_rs->Size("Alarm"), kDefaultTextSize);
    EXPECT_EQ(m_rs->Size("Type"), 2);
    EXPECT_EQ(m_rs->Size("Color"), 4);

    EXPECT_EQ(ErrorNumberOf([&] { m_rs->GetValue("Mark"); }), 3265);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->Fields("Mark"); }), 3265);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->Size("Mark"); }), 3265);
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->GetValue(6); }), 3265);
    m_rs->Edit();
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->SetValue("Mark", 1); }), 3265);
}

struct WriteCase
{
    const char* field;
    Value written;
    Value stored; // what reads back; Null with an error number means "refused"
    int error;
};

class ConversionOnWrite : public EngineFixture, public testing::WithParamInterface<WriteCase>
{
};

TEST_P(ConversionOnWrite, StoresTheFieldsTypeOrRefuses)
{
    const WriteCase& c = GetParam();
    Append("before");
    m_rs->MoveFirst();
    const Value previous = m_rs->GetValue(c.field);
    m_rs->Edit();
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->SetValue(c.field, c.written); }), c.error);
    EXPECT_EQ(m_rs->GetValue(c.field), c.error ? previous : c.stored)
        << "a refused value leaves the buffer as it was";
    m_rs->Update();
    Reopen();
    EXPECT_EQ(m_rs->GetValue(c.field), c.error ? previous : c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConversionOnWrite,
    testing::Values(WriteCase{"Color", "12", 12, 0}, WriteCase{"Color", " 12 ", 12, 0},
                    WriteCase{"Color", "-3", -3, 0}, WriteCase{"Color", "12.5", 12, 0},
                    WriteCase{"Color", "13.5", 14, 0}, WriteCase{"Color", "abc", {}, 3421},
                    WriteCase{"Color", "", {}, 3421}, WriteCase{"Color", "１２", {}, 3421},
                    WriteCase{"Color", qint64(3000000000), {}, 3349},
                    WriteCase{"Color", Value::Null(), Value::Null(), 0},
                    WriteCase{"Type", "32767", 32767, 0}, WriteCase{"Type", 40000, {}, 3349},
                    WriteCase{"Type", "-32769", {}, 3349}, WriteCase{"Message", 12, "12", 0},
                    WriteCase{"Message", "", "", 0}, WriteCase{"Code", "", {}, 3315},
                    WriteCase{"Code", "ok", "ok", 0}));

struct LengthCase
{
    QString text;
    int error;
};

class TextCapacity : public EngineFixture, public testing::WithParamInterface<LengthCase>
{
};

// Message holds 20 bytes of code page 932: a full-width character takes
// two, ASCII and half-width katakana one.
TEST_P(TextCapacity, IsCountedInCodePage932Bytes)
{
    Append("old");
    m_rs->MoveFirst();
    m_rs->Edit();
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->SetValue("Message", GetParam().text); }), GetParam().error);
    m_rs->Update();
    Reopen();
    EXPECT_EQ(m_rs->GetValue("Message").toString(), GetParam().error ? "old" : GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextCapacity,
                         testing::Values(LengthCase{QString(10, QChar(0x3042)), 0},    // あ x10
                                         LengthCase{QString(11, QChar(0x3042)), 3163}, // 22 bytes
                                         LengthCase{QString(20, 'x'), 0},
                                         LengthCase{QString(21, 'x'), 3163},
                                         LengthCase{QString(20, QChar(0xFF71)), 0}, // ｱ x20
                                         LengthCase{QString(9, QChar(0x4F1A)) + "xyz", 3163}));

TEST_F(RecordsetTest, RecordsetsOverOneTableShareRowsAndPositions)
{
    for (const char* message : {"a", "b", "c"})
        Append(message);
    auto other = m_db->OpenRecordset("plan");
    other->SetAbsolutePosition(2);
    m_rs->SetAbsolutePosition(0);
    m_rs->Delete();
    EXPECT_EQ(other->AbsolutePosition(), 1);
    EXPECT_EQ(other->GetValue("Message").toString(), "c");
    EXPECT_EQ(other->RecordCount(), 2);

    // An edit pending on a record another recordset deletes cannot land
    // on a different record.
    other->Edit();
    other->SetValue("Message", "late");
    m_rs->SetAbsolutePosition(1);
    m_rs->Delete();
    EXPECT_EQ(ErrorNumberOf([&] { other->Update(); }), 3167);
    EXPECT_EQ(Messages(), QStringList({"b"}));
}

TEST_F(RecordsetTest, ClosedObjectsRefuseWork)
{
    Append("a");
    auto second = m_db->OpenRecordset("Plan");
    second->Close();
    EXPECT_EQ(ErrorNumberOf([&] { second->MoveFirst(); }), 3420);
    m_db->Close();
    EXPECT_FALSE(m_db->IsOpen());
    EXPECT_EQ(ErrorNumberOf([&] { m_rs->GetValue("Message"); }), 3420);
    EXPECT_EQ(ErrorNumberOf([&] { m_db->OpenRecordset("Plan"); }), 3420);
    m_db->Close(); // twice is harmless
}

} // namespace
} // namespace morvane
