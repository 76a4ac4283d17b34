#pragma once

#include <QStringList>

class ObjectContext;

// Every record of a plan that the exchange file carries, one line per record
// with each exchanged attribute and the records it links to (named by their
// own values, never by keys, which differ between files). Two plans carry the
// same content exactly when their fingerprints are equal; a difference shows
// as the lines that differ.
QStringList planFingerprint(const ObjectContext& context);
