#pragma once

#include "model/AttachedFile.h"

class Assignment;
class Year;

// A file attached to an assignment. It behaves as a lesson's file but
// belongs to an assignment (the lesson() of a lesson's file does not apply).
class AssignedFile : public AttachedFile {
public:
    using AttachedFile::AttachedFile;

    Assignment* assignment() const;
    Year* year() const;
};
