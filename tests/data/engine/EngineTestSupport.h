#pragma once

#include "data/engine/DatabaseEngine.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace morvane::testing_support {

// The error number `action` raises, or 0 when it raises none.
inline int ErrorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EngineError& error) {
        return error.number();
    }
    return 0;
}

// A fresh database in a temporary folder with one small schedule-like
// table: Type (Integer), Year (Integer), Color (Long), Message (Text of 20
// bytes, empty allowed), Alarm (Text of the default size, empty allowed),
// Code (Text of 8 bytes, empty refused).
class EngineFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("Morva.dat");
        m_db = Database::CreateDatabase(m_path);
        m_db->CreateTable(TableDef{"Plan",
                                   {IntegerField("Type"), IntegerField("Year"), LongField("Color"),
                                    TextField("Message", 20, true), TextField("Alarm", 0, true),
                                    TextField("Code", 8, false)}});
        m_rs = m_db->OpenRecordset("Plan");
    }

    void Append(const QString& message, int type = 0)
    {
        m_rs->AddNew();
        m_rs->SetValue("Type", type);
        m_rs->SetValue("Message", message);
        m_rs->Update();
    }

    // Messages of every record in table order.
    QStringList Messages()
    {
        QStringList messages;
        m_rs->MoveFirst();
        while (!m_rs->IsEOF()) {
            messages.append(m_rs->GetValue("Message").toString());
            m_rs->MoveNext();
        }
        return messages;
    }

    void Reopen()
    {
        m_rs.reset();
        m_db.reset();
        m_db = Database::OpenDatabase(m_path);
        m_rs = m_db->OpenRecordset("Plan");
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Recordset> m_rs;
};

} // namespace morvane::testing_support
