#pragma once

#include <QString>

// Text compared the way people read it: without case and, where asked,
// without accents ("Café" and "cafe" fold alike).
namespace TextFolding {
QString withoutCaseAndDiacritics(const QString& text);
// Whether the two texts are equal, or `text` contains `term`, once folded.
bool equalIgnoringCaseAndDiacritics(const QString& a, const QString& b);
bool containsIgnoringCaseAndDiacritics(const QString& text, const QString& term);
} // namespace TextFolding
