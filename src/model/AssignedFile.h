#pragma once

#include "model/AttachedFile.h"

class Assignment;
class Year;

// A file attached to an assignment. It behaves as a lesson's file but
// belongs to an assignment (it has no lesson).
class AssignedFile : public AttachedFile {
public:
    using AttachedFile::AttachedFile;

    Assignment* assignment() const;
    Year* year() const;

    QString deleteStackType() const override { return QStringLiteral("assignment_attachfile"); }
    QString detailForSSBWindow() const override;
    void removeFromAssignment();
};
