#pragma once

#include <QByteArray>

class Assignment;
class AttachedWebLink;
class Course;
class Day;
class Lesson;
class Standard;
class StandardInLesson;
class Week;
class Year;

// The XML body of each kind of record as the service reads it, in UTF-8.
// Elements come in the service's order; text is escaped; references are
// the related records' identifiers.
namespace SyncRecordXml {

QByteArray year(const Year& year);
QByteArray standard(const Standard& standard, const Year& year);
QByteArray course(const Course& course, const Year& year);
QByteArray week(const Week& week, const Year& year);
QByteArray day(const Day& day);
QByteArray lesson(const Lesson& lesson);
QByteArray lessonStandard(const StandardInLesson& link);
QByteArray assignment(const Assignment& assignment);
// A lesson's link, or an assignment's (an AssignedWebLink).
QByteArray webLink(const AttachedWebLink& link);

} // namespace SyncRecordXml
