#include "gui/window/UndoStepName.h"

#include <QAbstractButton>
#include <QDialog>
#include <QVariant>

namespace {

constexpr const char* nameProperty = "semestraUndoStepName";
constexpr const char* toggleProperty = "semestraUndoToggleNames";
constexpr const char* dropProperty = "semestraUndoDropName";

QString toggleName(const QObject* control)
{
    const QStringList names = control->property(toggleProperty).toStringList();
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (names.size() != 2 || !button)
        return {};
    return button->isChecked() ? names.at(1) : names.at(0);
}

// Looks from the control up to the sheet it sits in, and no further: a
// sheet's buttons never take a name meant for the window behind it.
template <typename NameOf> QString nearest(const QObject* control, NameOf nameOf)
{
    for (const QObject* up = control; up; up = up->parent()) {
        if (QString name = nameOf(up); !name.isEmpty())
            return name;
        if (qobject_cast<const QDialog*>(up))
            break;
    }
    return {};
}

} // namespace

void UndoStepName::set(QObject* control, const QString& name)
{
    control->setProperty(nameProperty, name);
}

void UndoStepName::setForToggle(QAbstractButton* button, const QString& checking, const QString& unchecking)
{
    button->setProperty(toggleProperty, QStringList { checking, unchecking });
}

void UndoStepName::setForDrop(QObject* target, const QString& name)
{
    target->setProperty(dropProperty, name);
}

QString UndoStepName::of(const QObject* control)
{
    return nearest(control, [](const QObject* up) {
        const QString toggle = toggleName(up);
        return toggle.isEmpty() ? up->property(nameProperty).toString() : toggle;
    });
}

QString UndoStepName::ofDrop(const QObject* target)
{
    return nearest(target, [](const QObject* up) { return up->property(dropProperty).toString(); });
}
