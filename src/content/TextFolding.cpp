#include "content/TextFolding.h"

QString TextFolding::withoutCaseAndDiacritics(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded.toCaseFolded();
}

bool TextFolding::equalIgnoringCaseAndDiacritics(const QString& a, const QString& b)
{
    return withoutCaseAndDiacritics(a) == withoutCaseAndDiacritics(b);
}

bool TextFolding::containsIgnoringCaseAndDiacritics(const QString& text, const QString& term)
{
    return withoutCaseAndDiacritics(text).contains(withoutCaseAndDiacritics(term));
}
