#pragma once

#include "foundation/core/Result.h"

#include <memory>

class AlertPresenter;
class CommandLine;
class Document;
class FileChooser;
class QTextStream;

// What every command talks through: the output stream for its result and
// the alert and file interfaces of the documents it opens.
struct CommandContext {
    QTextStream& out;
    AlertPresenter& alerts;
    FileChooser& files;

    // Opens an existing document that holds a year.
    Result<std::unique_ptr<Document>> openDocument(const QString& path);
    // The same, refused at once when the planner holds the file: for commands
    // that write elsewhere (a site, a server, calendars) before they save it.
    Result<std::unique_ptr<Document>> openDocumentToChange(const QString& path);
    // A new, empty document, refusing to replace an existing file unless forced.
    Result<std::unique_ptr<Document>> newDocument(const QString& path, bool force);
};

// One function per command. A failure with an empty message has already
// been reported through the alerts.
namespace Commands {
Status newYear(const CommandLine& line, CommandContext& context);
Status demo(const CommandLine& line, CommandContext& context);
Status info(const CommandLine& line, CommandContext& context);
Status days(const CommandLine& line, CommandContext& context);
Status setLesson(const CommandLine& line, CommandContext& context);
Status lock(const CommandLine& line, CommandContext& context);
Status bump(const CommandLine& line, CommandContext& context);
Status pullBack(const CommandLine& line, CommandContext& context);
Status lesson(const CommandLine& line, CommandContext& context);
Status copyLesson(const CommandLine& line, CommandContext& context);
Status applyTemplate(const CommandLine& line, CommandContext& context);
Status clear(const CommandLine& line, CommandContext& context);
Status clearAll(const CommandLine& line, CommandContext& context);
Status units(const CommandLine& line, CommandContext& context);
Status unit(const CommandLine& line, CommandContext& context);
Status unitCopy(const CommandLine& line, CommandContext& context);
Status unitExport(const CommandLine& line, CommandContext& context);
Status holiday(const CommandLine& line, CommandContext& context);
Status cancel(const CommandLine& line, CommandContext& context);
Status restore(const CommandLine& line, CommandContext& context);
Status extendNonSchool(const CommandLine& line, CommandContext& context);
Status customDay(const CommandLine& line, CommandContext& context);
Status convertDay(const CommandLine& line, CommandContext& context);
Status addToDay(const CommandLine& line, CommandContext& context);
Status removeLesson(const CommandLine& line, CommandContext& context);
Status insertWeek(const CommandLine& line, CommandContext& context);
Status appendWeek(const CommandLine& line, CommandContext& context);
Status restartRotation(const CommandLine& line, CommandContext& context);
Status addCourse(const CommandLine& line, CommandContext& context);
Status removeCourse(const CommandLine& line, CommandContext& context);
Status courseColor(const CommandLine& line, CommandContext& context);
Status times(const CommandLine& line, CommandContext& context);
Status setTimes(const CommandLine& line, CommandContext& context);
Status migrate(const CommandLine& line, CommandContext& context);
Status exportCourse(const CommandLine& line, CommandContext& context);
Status importCourse(const CommandLine& line, CommandContext& context);
Status assign(const CommandLine& line, CommandContext& context);
Status unassign(const CommandLine& line, CommandContext& context);
Status attach(const CommandLine& line, CommandContext& context);
Status detach(const CommandLine& line, CommandContext& context);
Status missingAttachments(const CommandLine& line, CommandContext& context);
Status relink(const CommandLine& line, CommandContext& context);
Status standards(const CommandLine& line, CommandContext& context);
Status standardsImport(const CommandLine& line, CommandContext& context);
Status standardsExport(const CommandLine& line, CommandContext& context);
Status standardAdd(const CommandLine& line, CommandContext& context);
Status standardRemove(const CommandLine& line, CommandContext& context);
Status linkStandard(const CommandLine& line, CommandContext& context);
Status search(const CommandLine& line, CommandContext& context);
Status library(const CommandLine& line, CommandContext& context);
Status report(const CommandLine& line, CommandContext& context);
Status exportWindows(const CommandLine& line, CommandContext& context);
Status importWindows(const CommandLine& line, CommandContext& context);
Status publish(const CommandLine& line, CommandContext& context);
Status themes(const CommandLine& line, CommandContext& context);
Status calendarSync(const CommandLine& line, CommandContext& context);
Status upload(const CommandLine& line, CommandContext& context);
Status sync(const CommandLine& line, CommandContext& context);
Status syncReset(const CommandLine& line, CommandContext& context);
Status syncLogout(const CommandLine& line, CommandContext& context);
} // namespace Commands
