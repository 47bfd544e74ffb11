#include "sync/DavXml.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(DavXml, ASyncReportGivesChangesRemovalsAndItsToken)
{
    const QByteArray body = R"(<?xml version="1.0" encoding="utf-8"?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
  <response><href>/alice/cal/a.ics</href>
    <propstat><prop><getetag>"e1"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat>
    <propstat><prop><C:calendar-data/></prop><status>HTTP/1.1 404 Not Found</status></propstat>
  </response>
  <response><href>/alice/cal/b%20c.ics</href><status>HTTP/1.1 404 Not Found</status></response>
  <sync-token>http://radicale.org/ns/sync/42</sync-token>
</multistatus>)";
    const DavMultistatus answer = ParseMultistatus(body);
    ASSERT_TRUE(answer.ok()) << answer.error.toStdString();
    ASSERT_EQ(answer.resources.size(), 2u);
    EXPECT_EQ(answer.resources[0].href, "/alice/cal/a.ics");
    EXPECT_EQ(answer.resources[0].etag, "\"e1\"");
    EXPECT_EQ(answer.resources[0].status, 0);
    EXPECT_EQ(answer.resources[1].href, "/alice/cal/b%20c.ics");
    EXPECT_EQ(answer.resources[1].status, 404);
    EXPECT_EQ(answer.syncToken, "http://radicale.org/ns/sync/42");
}

TEST(DavXml, CollectionsTellTheirKindComponentsAndHomes)
{
    const QByteArray body = R"(<d:multistatus xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav">
<d:response><d:href>/alice/</d:href><d:propstat><d:prop>
  <d:resourcetype><d:collection/><d:principal/></d:resourcetype>
  <d:current-user-principal><d:href>/alice/</d:href></d:current-user-principal>
  <c:calendar-home-set><d:href>/alice/</d:href></c:calendar-home-set>
</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>
<d:response><d:href>/alice/tasks/</d:href><d:propstat><d:prop>
  <d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>やること</d:displayname>
  <c:supported-calendar-component-set><c:comp name="VTODO"/></c:supported-calendar-component-set>
</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>
<d:response><d:href>/alice/work/</d:href><d:propstat><d:prop>
  <d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>仕事</d:displayname>
</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>
</d:multistatus>)";
    const DavMultistatus answer = ParseMultistatus(body);
    ASSERT_TRUE(answer.ok());
    ASSERT_EQ(answer.resources.size(), 3u);
    EXPECT_FALSE(answer.resources[0].isCalendar);
    EXPECT_EQ(answer.resources[0].principal, "/alice/");
    EXPECT_EQ(answer.resources[0].homeSets, QStringList{"/alice/"});
    EXPECT_TRUE(answer.resources[1].isCalendar);
    EXPECT_FALSE(answer.resources[1].holdsEvents());
    EXPECT_EQ(answer.resources[2].displayName, "仕事");
    EXPECT_TRUE(answer.resources[2].holdsEvents()); // no list: every kind
}

struct NotAnAnswer
{
    const char* name;
    QByteArray body;
    const char* says;
};

class DavXmlRefuses : public ::testing::TestWithParam<NotAnAnswer>
{
};

TEST_P(DavXmlRefuses, WhatIsNotAMultistatus)
{
    const DavMultistatus answer = ParseMultistatus(GetParam().body);
    EXPECT_FALSE(answer.ok());
    EXPECT_TRUE(answer.resources.empty());
    EXPECT_TRUE(answer.error.contains(QString::fromUtf8(GetParam().says)))
        << answer.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, DavXmlRefuses,
    ::testing::Values(
        NotAnAnswer{"html", "<!DOCTYPE html><html><body>Login<br></body></html>", "WebDAV"},
        NotAnAnswer{"xhtml", "<html xmlns=\"http://www.w3.org/1999/xhtml\"><body/></html>",
                    "WebDAV"},
        NotAnAnswer{"cut",
                    "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/a.ics</d:href>",
                    "XML"},
        NotAnAnswer{"empty", "", "空"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane
