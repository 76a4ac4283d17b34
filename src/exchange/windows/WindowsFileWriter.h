#pragma once

#include <QString>

class ObjectContext;

// Writes a document's whole store as an exchange file. The file is built
// under a temporary name in the destination folder, turned into the exchange
// form there, and renamed over the destination in one step: an earlier file
// at that path stays whole until the new one replaces it, and nothing is
// left behind when a step fails.
//
// The exchange form differs from the document in three places: the last sync
// time is a date and the delete stack's items are separated by ";", as the
// Windows edition reads them, and the site upload password is left out
// (teachers send these files to colleagues and support).
class WindowsFileWriter {
public:
    enum class Failure { None, Generate, Move };
    struct Outcome {
        Failure failure = Failure::None;
        QString error;
        bool ok() const { return failure == Failure::None; }
    };

    static Outcome write(const ObjectContext& context, const QString& path);

private:
    static bool convertToExchangeForm(const QString& path, QString& error);
};
