#pragma once

#include <QtGlobal>

#include <string>

// Record bodies as the desktop program's sync writes them, for the protocol
// tests and the load program.
namespace SyncBodies {

std::string id(qint64 value);
std::string courseXml(const std::string& name, qint64 year);
std::string weekXml(int number, qint64 year);
std::string dayXml(const std::string& date, qint64 week);
std::string lessonXml(
    const std::string& title, qint64 day, qint64 course, const std::string& start = "", const std::string& end = "");
std::string standardXml(const std::string& moid, const std::string& parentMoid, qint64 year);
std::string lessonStandardXml(qint64 standard, qint64 lesson);
std::string assignmentXml(qint64 assigned, qint64 due);
std::string linkXml(const std::string& owner, qint64 ownerId);

} // namespace SyncBodies
