#pragma once

#include "content/StandardsFormat.h"

// A competency framework saved from its spreadsheet form: a header row naming
// "fullStatement" and "Human Coding Scheme" (case and spacing aside), each
// row naming its parent's coding under "Is Child Of".
class CaseCsvFormat : public StandardsFormat {
public:
    bool recognises(const StandardsSource& source) const override;
    void read(const StandardsSource& source, StandardsImport& into) const override;
};
