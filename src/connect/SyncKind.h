#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class SyncedRecord;
class Year;

// One kind of record in the order the sync sends them: where it lives on
// the service, what the status line says, which records are sent and the
// body of each. Attached files have no XML body: they travel as forms.
struct SyncKind {
    enum class Form { Xml, LessonFile, AssignmentFile };

    QString resource;
    // "%1 of %2" and, for files, "%3" for the file's short path.
    QString sendingText;
    QString doneText;
    Form form = Form::Xml;
    std::function<QList<SyncedRecord*>(const Year& year)> fetch;
    std::function<QByteArray(const SyncedRecord& record, const Year& year)> body;

    bool isFile() const { return form != Form::Xml; }

    // Every kind after the year, in sending order. `syncPrivateFiles`
    // decides whether unpublished lesson files go too.
    static QList<SyncKind> chain(bool syncPrivateFiles);
};
