#pragma once

#include <QSet>
#include <QString>

// The "seed" of each entry of a standards file: a random decimal number that
// children name as their "parent". Two equal seeds would hang children under
// the wrong entry, so no seed is handed out twice.
class StandardSeeds {
public:
    QString next();

private:
    QSet<QString> m_used;
};
