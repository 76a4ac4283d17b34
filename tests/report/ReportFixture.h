#pragma once

#include "ContentFixture.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/LessonReportInformation.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "report/ReportFonts.h"

#include <QTextBlock>
#include <QTextDocument>

// The two-week Math and Art year with report settings, field labels and
// helpers that put assignments, attachments and standards on lessons.
class ReportFixture : public ContentFixture {
protected:
    ReportFixture()
    {
        for (const QString& key : Lesson::richFieldKeys())
            year()->setValue(key + QStringLiteral("Title"), key.toUpper());
        settings = year()->reportInformation();
    }

    void showOnly(const QStringList& keys)
    {
        for (const char* key : { "showLessonBody", "showHomework", "showPublicComment", "showCustom1",
                 "showCustom2", "showCustom3", "showTags", "showAttachments", "showStandards" })
            settings->setValue(QString::fromLatin1(key), keys.contains(QString::fromLatin1(key)));
    }
    Assignment* assign(const QString& title, Lesson* given, Lesson* due, const QString& details = {})
    {
        auto* work = insert<Assignment>("Assignment");
        work->setValue(u"title", title);
        work->setValue(u"detailsString", details);
        work->setObject(u"assignedLesson", given);
        work->setObject(u"dueLesson", due);
        return work;
    }
    AttachedFile* attachFile(Lesson* lesson, const QString& name, const QString& path, const QString& notes = {})
    {
        auto* file = insert<AttachedFile>("AttachedFile");
        file->setValue(u"name", name);
        file->setValue(u"filePath", path);
        file->setValue(u"notes", notes);
        file->setObject(u"lesson", lesson);
        return file;
    }
    Standard* standard(const QString& shortName, const QString& text, Standard* parent = nullptr)
    {
        auto* made = insert<Standard>("Standard");
        made->setValue(u"shortName", shortName);
        made->setValue(u"text", text);
        made->setObject(u"parent", parent);
        made->setObject(u"year", year());
        return made;
    }
    StandardInLesson* link(Lesson* lesson, Standard* standard, const QString& notes = {})
    {
        auto* made = insert<StandardInLesson>("StandardInLesson");
        made->setValue(u"implementationNotes", notes);
        made->setObject(u"standard", standard);
        made->setObject(u"lesson", lesson);
        return made;
    }
    static QStringList lines(const QTextDocument& text) { return text.toPlainText().split(QLatin1Char('\n')); }
    // The block holding the first occurrence of `text`.
    static QTextBlock blockWith(const QTextDocument& text, const QString& needle)
    {
        return text.find(needle).block();
    }
    static QTextCharFormat formatAt(const QTextDocument& text, const QString& needle)
    {
        QTextCursor cursor = text.find(needle);
        cursor.setPosition(cursor.selectionStart() + 1);
        return cursor.charFormat();
    }

    LessonReportInformation* settings = nullptr;
};
