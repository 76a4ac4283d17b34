#pragma once

#include "ContentFixture.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/PublishInfo.h"
#include "publish/PublishController.h"
#include "testlib/ScriptedFileChooser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The two-week Math and Art year of the content tests (from Sunday 1 March
// 2026), with publishing settings that cover both weeks and publish every
// part of a lesson, and a fresh folder to publish into.
class SiteFixture : public ContentFixture {
protected:
    SiteFixture()
    {
        info = insert<PublishInfo>("PublishInfo");
        year()->setObject(u"publish", info);
        info->setValue(u"cssTheme", QStringLiteral("Default"));
        info->setValue(u"localExportLocation", site.path());
        for (const char* key : { "publishLessonBody", "publishHomework", "publishPublicComment", "publishCustom1",
                 "publishCustom2", "publishCustom3", "publishStandards", "publishFiles", "publishLinks" })
            info->setValue(QString::fromLatin1(key), true);
        year()->setValue(u"lessonBodyTitle", QStringLiteral("Plan"));
        year()->setValue(u"homeworkTitle", QStringLiteral("Homework"));
        controller().setRanges(days.first()->actualDate(), days.last()->actualDate());
        for (Course* course : { math, art })
            course->setValue(u"publish", 1);
    }

    PublishController& controller() { return m_controller; }

    // Publishes into the fixture's folder; the files written, relative.
    QStringList publish()
    {
        QStringList written;
        outcome = m_controller.publishNow(site.path(), [&](const QString& path) { written.append(path); });
        return written;
    }
    QString page(const QString& relativePath) const
    {
        QFile file(site.filePath(relativePath));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    bool exists(const QString& relativePath) const { return QFile::exists(site.filePath(relativePath)); }
    AttachedFile* attachFile(Lesson* lesson, const QString& name, const QString& path)
    {
        auto* file = insert<AttachedFile>("AttachedFile");
        file->setValue(u"name", name);
        file->setValue(u"filePath", path);
        file->setValue(u"publish", true);
        file->setObject(u"lesson", lesson);
        return file;
    }
    AttachedWebLink* attachLink(Lesson* lesson, const QString& name, const QString& url)
    {
        auto* link = insert<AttachedWebLink>("AttachedWebLink");
        link->setValue(u"name", name);
        link->setValue(u"URL", url);
        link->setValue(u"publish", true);
        link->setObject(u"lesson", lesson);
        return link;
    }

    QTemporaryDir site;
    ScriptedFileChooser files;
    PublishInfo* info = nullptr;
    PublishOutcome outcome;

private:
    PublishController m_controller { *year(), alerts, files };
};
