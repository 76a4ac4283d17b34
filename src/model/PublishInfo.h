#pragma once

#include "store/ManagedObject.h"

// The year's web publishing settings, read and written by key.
class PublishInfo : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    enum ConnectionType { Local = 0, Ftp = 1 };

    QString cssTheme() const { return value<QString>(u"cssTheme"); }
    QString localExportLocation() const { return value<QString>(u"localExportLocation"); }
    // The local folder as an absolute path: "~" stands for the home folder
    // and a relative path is taken from there, never from "/" or from
    // wherever the program happens to run. Empty while no folder is chosen.
    QString fullLocalPath() const;
    std::optional<Date> date(QStringView key) const { return value<std::optional<Date>>(key); }
    bool isOn(QStringView key) const { return value<bool>(key); }
    QString text(QStringView key) const { return value<QString>(key); }
};
