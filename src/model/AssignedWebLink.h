#pragma once

#include "model/AttachedWebLink.h"

class Assignment;
class Year;

// A web link attached to an assignment; a change of its address counts as a
// change of the link.
class AssignedWebLink : public AttachedWebLink {
public:
    using AttachedWebLink::AttachedWebLink;

    Assignment* assignment() const;
    Year* year() const;

    QString deleteStackType() const override { return QStringLiteral("assignment_attachlink"); }
    void removeFromAssignment();

protected:
    const QStringList& keysThatUpdateTime() const override;
};
