#include "SyncBodies.h"

std::string SyncBodies::id(qint64 value)
{
    return std::to_string(value);
}

std::string SyncBodies::courseXml(const std::string& name, qint64 year)
{
    return "<course><course_name>" + name + "</course_name><year_id>" + id(year) + "</year_id></course>";
}

std::string SyncBodies::weekXml(int number, qint64 year)
{
    return "<week><week_number>" + std::to_string(number) + "</week_number><year_id>" + id(year) + "</year_id></week>";
}

std::string SyncBodies::dayXml(const std::string& date, qint64 week)
{
    return "<day><actual_date>" + date
        + "</actual_date><is_holiday>0</is_holiday><is_cancelled>0</is_cancelled>"
          "<is_custom>0</is_custom><notes>Fire drill &amp; assembly</notes><week_id>"
        + id(week) + "</week_id></day>";
}

std::string SyncBodies::lessonXml(
    const std::string& title, qint64 day, qint64 course, const std::string& start, const std::string& end)
{
    return "<lesson><title>" + title
        + "</title><tags>lab,</tags><lesson_body>&lt;p&gt;Cells&lt;/p&gt;</lesson_body>"
          "<homework></homework><public_comment></public_comment><custom1></custom1><custom2></custom2>"
          "<custom3></custom3><day_id>"
        + id(day) + "</day_id><course_id>" + id(course) + "</course_id><unit_name>Biology</unit_name><start_time>"
        + start + "</start_time><end_time>" + end + "</end_time></lesson>";
}

std::string SyncBodies::standardXml(const std::string& moid, const std::string& parentMoid, qint64 year)
{
    return "<standard><short_text>S</short_text><full_text>Standard</full_text><is_root>"
        + std::string(parentMoid.empty() ? "1" : "0") + "</is_root><year_id>" + id(year) + "</year_id><moid>" + moid
        + "</moid><parent_moid>" + parentMoid + "</parent_moid></standard>";
}

std::string SyncBodies::lessonStandardXml(qint64 standard, qint64 lesson)
{
    return "<lessonstandard><description>Notes</description><standard_id>" + id(standard) + "</standard_id><lesson_id>"
        + id(lesson) + "</lesson_id></lessonstandard>";
}

std::string SyncBodies::assignmentXml(qint64 assigned, qint64 due)
{
    return "<assignment><description>Read</description><title>Chapter 1</title><assigned_lesson_id>" + id(assigned)
        + "</assigned_lesson_id><due_lesson_id>" + id(due) + "</due_lesson_id></assignment>";
}

std::string SyncBodies::linkXml(const std::string& owner, qint64 ownerId)
{
    return "<attachedlink><publish>1</publish><name>Site</name><" + owner + ">" + id(ownerId) + "</" + owner
        + "><description>d</description><url>http%3A%2F%2Fexample.org</url></attachedlink>";
}
