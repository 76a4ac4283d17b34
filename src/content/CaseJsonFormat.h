#pragma once

#include "content/StandardsFormat.h"

// A competency framework package in JSON: "CFDocument", "CFItems" and
// "CFAssociations", the tree given by "isChildOf" associations.
class CaseJsonFormat : public StandardsFormat {
public:
    bool recognises(const StandardsSource& source) const override;
    void read(const StandardsSource& source, StandardsImport& into) const override;
};
