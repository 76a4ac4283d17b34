#pragma once

#include <QList>
#include <QString>

#include <optional>

class StandardsImport;

// One item of a competency framework in the exchange format that state
// frameworks publish, whatever file it came in.
struct CaseItem {
    QString identifier;
    QString shortName;
    QString text;
    // The identifier of the item it is a child of; empty or unknown puts it
    // under the framework's own top-level standard.
    QString parent;
    std::optional<double> sequence;
};

// Places a framework's items into the year as a tree under a top-level
// standard named after the framework. Items already in the year (same short
// name and text) are skipped but still hold their children.
namespace CaseFramework {
void place(const QList<CaseItem>& items, const QString& title, StandardsImport& into);
}
