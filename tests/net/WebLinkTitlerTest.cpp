#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "TitleServer.h"
#include "content/WebLinkTitler.h"
#include "model/Assignment.h"
#include "model/AssignedWebLink.h"
#include "model/AttachedWebLink.h"
#include "model/Lesson.h"

#include <QEventLoop>
#include <QTimer>

namespace {

class WebLinkTitlerTest : public ModelFixture {
protected:
    static void SetUpTestSuite() { server = new TitleServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(server->isRunning()); }

    AttachedWebLink* link(const QString& path) { return lesson->addWebLinkWithURL(server->url(path)); }
    // Runs the event loop until every lookup has settled.
    void settle()
    {
        QEventLoop loop;
        QObject::connect(&titler, &WebLinkTitler::settled, &loop, [&] {
            if (!titler.isWaiting())
                loop.quit();
        });
        QTimer::singleShot(15000, &loop, &QEventLoop::quit);
        if (titler.isWaiting())
            loop.exec();
        EXPECT_FALSE(titler.isWaiting());
    }

    static TitleServer* server;
    ScheduleBuilder b { *context, 2026, 3, 1, 1 };
    Lesson* lesson = b.lesson(b.course(QStringLiteral("Math")), b.day(1), 9);
    WebLinkTitler titler;
};

TitleServer* WebLinkTitlerTest::server = nullptr;

TEST_F(WebLinkTitlerTest, LinksAreNamedByAddressAtOnceAndByTitleLater)
{
    AttachedWebLink* first = link(QStringLiteral("/latin1"));
    AssignedWebLink* second = lesson->addAssignment()->addWebLinkWithURL(first->url());
    titler.nameWhenFound(first);
    titler.nameWhenFound(second);
    EXPECT_EQ(first->name(), first->url());
    settle();
    EXPECT_EQ(first->name(), QStringLiteral("Caf\u00e9 cr\u00e8me"));
    EXPECT_EQ(second->name(), QStringLiteral("Caf\u00e9 cr\u00e8me"));
}

TEST_F(WebLinkTitlerTest, ANameTheTeacherGaveMeanwhileStays)
{
    AttachedWebLink* renamed = link(QStringLiteral("/titled"));
    titler.nameWhenFound(renamed);
    renamed->setValue(u"name", QStringLiteral("My reading"));
    settle();
    EXPECT_EQ(renamed->name(), QStringLiteral("My reading"));
}

TEST_F(WebLinkTitlerTest, FailedLookupsKeepTheAddressAndDeletedLinksAreLeftAlone)
{
    AttachedWebLink* missing = link(QStringLiteral("/missing"));
    AttachedWebLink* removed = link(QStringLiteral("/titled"));
    titler.nameWhenFound(missing);
    titler.nameWhenFound(removed);
    removed->removeFromLesson();
    settle();
    EXPECT_EQ(missing->name(), missing->url());
    EXPECT_EQ(lesson->attachments(), QList<Attachment*> { missing });
}

} // namespace
