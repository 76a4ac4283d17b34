#pragma once

#include "content/StandardsFormat.h"

// The property-list array our own export writes: one dictionary per
// standard, parents first, children naming their parent's "seed".
class StandardsFileFormat : public StandardsFormat {
public:
    bool recognises(const StandardsSource& source) const override;
    void read(const StandardsSource& source, StandardsImport& into) const override;
};
