#include "store/SemestraEntityModel.h"

#include "store/EntityModelBuilder.h"

namespace {

using T = AttributeType;

void declareYear(EntityModelBuilder& b)
{
    b.entity("Year")
        .attribute("startDate", T::Date)
        .attribute("endDate", T::Date)
        .attribute("typeOfSchedule", T::Integer)
        .attribute("repeatInterval", T::Integer)
        .attribute("allSameColor", T::Boolean);
    for (const char* field : { "lessonBody", "homework", "publicComment", "custom1", "custom2", "custom3" })
        b.attribute(QLatin1String(field) + QLatin1String("Title"), T::String);
    for (const char* flag :
        { "showTeacher", "showHomework", "showPublic", "showCustom1", "showCustom2", "showCustom3", "teacherEnlarged",
            "homeworkEnlarged", "publicEnlarged", "custom1Enlarged", "custom2Enlarged", "custom3Enlarged" })
        b.attribute(QLatin1String(flag), T::Boolean);
    b.attribute("lastICalSync", T::Date)
        .attribute("teacherSchool", T::String)
        .attribute("teacherAddress", T::String)
        .attribute("teacherPhone", T::String)
        .attribute("teacherDepartment", T::String)
        .attribute("teacherEmail", T::String)
        .toMany("myCourses", "Course", "year")
        .toMany("weeks", "Week", "year")
        .toMany("units", "Unit", "year")
        .toMany("standards", "Standard", "year")
        .toOne("publish", "PublishInfo", "year")
        .toOne("lessonReportInformation", "LessonReportInformation", "year");
}

void declareCourse(EntityModelBuilder& b)
{
    b.entity("Course")
        .attribute("courseName", T::String)
        .attribute("courseNumber", T::Integer)
        .attribute("colorData", T::Binary)
        .attribute("red", T::Integer)
        .attribute("green", T::Integer)
        .attribute("blue", T::Integer)
        .attribute("draw", T::Integer)
        .attribute("publish", T::Integer)
        .attribute("latestUploadDate", T::Date)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .toOne("year", "Year", "myCourses")
        .toMany("lessons", "Lesson", "course")
        .toMany("units", "Unit", "course");
    b.entity("MyCourse", "Course");
}

void declareWeekAndDay(EntityModelBuilder& b)
{
    b.entity("Week")
        .attribute("weekNumber", T::Integer)
        .attribute("syncID", T::String)
        .toOne("year", "Year", "weeks")
        .toMany("days", "Day", "week");
    b.entity("Day")
        .attribute("actualDate", T::Date)
        .attribute("isHoliday", T::Boolean)
        .attribute("isCancelled", T::Boolean)
        .attribute("isCustom", T::Boolean)
        .attribute("holidayName", T::String)
        .attribute("holidayType", T::Integer) // never written; kept so that files carrying it keep it
        .attribute("typeOfDay", T::Integer)
        .attribute("notes", T::String)
        .attribute("iCalUIDNotes", T::String)
        .attribute("iCalUIDNonSchool", T::String)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .toOne("week", "Week", "days")
        .toMany("lessons", "Lesson", "dayTaught");
}

void declareLesson(EntityModelBuilder& b)
{
    b.entity("Lesson").attribute("lessonTitle", T::String);
    for (const char* field : { "lessonBody", "homework", "publicComment", "custom1", "custom2", "custom3" }) {
        b.attribute(QLatin1String(field), T::Binary);
        b.attribute(QLatin1String(field) + QLatin1String("String"), T::String);
    }
    b.attribute("startTime", T::Date)
        .attribute("endTime", T::Date)
        .attribute("lessonPosition", T::Integer)
        .attribute("anchored", T::Boolean)
        .attribute("iCalUID", T::String)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .toOne("dayTaught", "Day", "lessons")
        .toOne("course", "Course", "lessons")
        .toOne("unit", "Unit", "lessons")
        .toMany("standards", "StandardInLesson", "lesson")
        .toMany("attachments", "Attachment", "lesson")
        .toMany("assignments", "Assignment", "assignedLesson")
        .toMany("homeworkDue", "Assignment", "dueLesson")
        .toMany("tags", "Tag", "lessons");
}

void declareUnitAndStandards(EntityModelBuilder& b)
{
    b.entity("Unit")
        .attribute("unitName", T::String)
        .toOne("course", "Course", "units")
        .toOne("year", "Year", "units")
        .toMany("lessons", "Lesson", "unit");
    b.entity("Standard")
        .attribute("shortName", T::String)
        .attribute("text", T::String)
        .attribute("isRootItem", T::Boolean)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .toOne("year", "Year", "standards")
        .toOne("parent", "Standard", "children")
        .toMany("children", "Standard", "parent")
        .toMany("standardInLesson", "StandardInLesson", "standard");
    b.entity("StandardInLesson")
        .attribute("implementationNotes", T::String)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .toOne("lesson", "Lesson", "standards")
        .toOne("standard", "Standard", "standardInLesson");
}

void declareAssignment(EntityModelBuilder& b)
{
    b.entity("Assignment")
        .attribute("title", T::String)
        .attribute("details", T::Binary)
        .attribute("detailsString", T::String)
        .attribute("points", T::Integer)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .toOne("assignedLesson", "Lesson", "assignments")
        .toOne("dueLesson", "Lesson", "homeworkDue")
        .toMany("files", "AssignedFile", "assignment")
        .toMany("webLinks", "AssignedWebLink", "assignment");
}

// The four kinds of attachment share one table. Lesson attachments are
// declared before assignment ones, so theirs are the plain columns (ZURL) and
// the assignment ones the numbered twins (ZURL1). The file bookmark sits on
// the root so that both kinds of file keep it in the one ZSANDBOXURL column.
void declareAttachments(EntityModelBuilder& b)
{
    using Kind = EntityModelBuilder::Kind;
    b.entity("Attachment", {}, Kind::Abstract)
        .attribute("name", T::String)
        .attribute("notes", T::String)
        .attribute("publish", T::Boolean)
        .attribute("syncID", T::String)
        .attribute("lastUpdated", T::Date)
        .attribute("sandboxURL", T::Binary);
    b.entity("AttachedFile", "Attachment")
        .attribute("filePath", T::String)
        .attribute("windowsFilePath", T::String)
        .toOne("lesson", "Lesson", "attachments");
    b.entity("AttachedWebLink", "Attachment").attribute("URL", T::String).toOne("lesson", "Lesson", "attachments");
    b.entity("AssignedFile", "Attachment")
        .attribute("filePath", T::String)
        .attribute("windowsFilePath", T::String)
        .toOne("assignment", "Assignment", "files");
    b.entity("AssignedWebLink", "Attachment").attribute("URL", T::String).toOne("assignment", "Assignment", "webLinks");
}

void declareSettings(EntityModelBuilder& b)
{
    b.entity("PublishInfo")
        .attribute("cssTheme", T::String)
        .attribute("localExportLocation", T::String)
        .attribute("localExportSandboxURL", T::Binary);
    for (const char* date :
        { "calendarExportStartDate", "calendarExportEndDate", "lessonExportStartDate", "lessonExportEndDate" })
        b.attribute(QLatin1String(date), T::Date);
    for (const char* text : { "mainIndexTitle", "mainIndexIntro", "monthIndexHeader", "monthIndexFooter" })
        b.attribute(QLatin1String(text), T::String);
    for (const char* flag :
        { "publishLessonBody", "publishHomework", "publishPublicComment", "publishCustom1", "publishCustom2",
            "publishCustom3", "publishStandards", "publishFiles", "publishLinks", "showMadeWithSemestra" })
        b.attribute(QLatin1String(flag), T::Boolean);
    b.attribute("defaultConnectionType", T::Integer);
    for (const char* text : { "ftpServerName", "ftpPortNumber", "ftpPath", "ftpUsername", "ftpPassword" })
        b.attribute(QLatin1String(text), T::String);
    b.toOne("year", "Year", "publish");

    b.entity("LessonReportInformation")
        .attribute("startDateForDaily", T::Date)
        .attribute("endDateForDaily", T::Date)
        .attribute("baseFontSize", T::Double)
        .attribute("weeklyReportBaseFontSize", T::Double);
    for (const char* flag :
        { "showLessonBody", "showHomework", "showPublicComment", "showCustom1", "showCustom2", "showCustom3",
            "showTags", "showStandards", "showAttachments", "weeklyReportFixLessonSize", "weeklyReportShowColors" })
        b.attribute(QLatin1String(flag), T::Boolean);
    for (const char* text : { "dailyHeader", "weeklyReportHeader", "unitHeader", "standardsHeader" })
        b.attribute(QLatin1String(text), T::String);
    b.toOne("year", "Year", "lessonReportInformation");

    b.entity("Tag").attribute("name", T::String).toMany("lessons", "Lesson", "tags");
}

std::unique_ptr<EntityModel> buildModel()
{
    EntityModelBuilder b(SemestraEntityModel::version);
    declareYear(b);
    declareCourse(b);
    declareWeekAndDay(b);
    declareLesson(b);
    declareUnitAndStandards(b);
    declareAssignment(b);
    declareAttachments(b);
    declareSettings(b);
    return b.build();
}

} // namespace

const EntityModel& SemestraEntityModel::shared()
{
    static const std::unique_ptr<EntityModel> model = buildModel();
    return *model;
}
