#include "model/AttachedWebLink.h"

#include "model/Lesson.h"
#include "store/ObjectContext.h"

#include <QUrl>

Lesson* AttachedWebLink::lesson() const
{
    // An assignment's link has no lesson of its own.
    return entity().relationshipIndex(u"lesson") >= 0 ? object<Lesson>(u"lesson") : nullptr;
}

void AttachedWebLink::setLink(const QString& url, const QString& name)
{
    setValue(u"URL", url);
    setValue(u"name", name.isEmpty() ? url : name);
    setValue(u"notes", QString());
    setValue(u"publish", true);
    updateTime();
}

QString AttachedWebLink::attachmentName() const
{
    return QStringLiteral("(Web) %1").arg(name());
}

void AttachedWebLink::removeFromLesson()
{
    if (Lesson* owner = lesson())
        owner->removeAttachment(this);
    else
        context().deleteObject(this);
}

std::optional<QString> AttachedWebLink::addressFromTyped(const QString& typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // Schemes are case-insensitive; a typed "HTTPS://" is kept, spelt as
    // every other part of the program looks for it.
    const qsizetype schemeEnd = trimmed.indexOf(QLatin1String("://"));
    const QString scheme = schemeEnd < 0 ? QString() : trimmed.left(schemeEnd).toLower();
    const bool hasScheme = scheme == u"http" || scheme == u"https";
    const QString address = hasScheme ? scheme + trimmed.mid(schemeEnd) : QStringLiteral("http://%1").arg(trimmed);
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return address;
}
