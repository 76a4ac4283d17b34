#include "gui/navigation/LessonDrag.h"

#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonDictionary.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize imageSize(150, 40);
constexpr double cornerRadius = 5;
// The label's sizes are in the logical pixels the pointer image is measured in.
constexpr int textPixelSize = 12;
constexpr int textPadding = 6;

} // namespace

const QString LessonDrag::mimeType = QStringLiteral("application/x-semestra-lesson");

QMimeData* LessonDrag::mimeDataFor(const Lesson* lesson)
{
    auto* data = new QMimeData;
    data->setData(mimeType, lesson->sessionReference().toUtf8());
    // The content as text travels to other documents and other programs,
    // where the reference means nothing.
    data->setText(LessonDictionary::toText(lesson->dictionaryForExport()));
    return data;
}

// The reference names the open document, not just its store: a copy of the
// file open in another window shares the store and would find its own
// lesson of the same key.
Lesson* LessonDrag::lessonFrom(const QMimeData* data, const ObjectContext& context)
{
    if (!data || !data->hasFormat(mimeType))
        return nullptr;
    return dynamic_cast<Lesson*>(context.objectWithSessionReference(QString::fromUtf8(data->data(mimeType))));
}

QPixmap LessonDrag::dragImage(const Lesson* lesson)
{
    const qreal scale = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(imageSize * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath label;
    label.addRoundedRect(QRectF(QPointF(0, 0), imageSize), cornerRadius, cornerRadius);
    painter.fillPath(label, QColor::fromRgbF(0.1f, 0.1f, 0.1f));

    QFont font = QGuiApplication::font();
    font.setPixelSize(textPixelSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const Day* day = lesson->dayTaught();
    // Long names are shortened rather than pushed out of the label.
    const auto fitted = [&painter](const QString& line) {
        return painter.fontMetrics().elidedText(line, Qt::ElideRight, imageSize.width() - 2 * textPadding);
    };
    const QString text = QCoreApplication::translate("LessonDrag", "%1 on\n%2")
                             .arg(fitted(lesson->courseName()), fitted(day ? day->mediumDateString() : QString()));
    painter.drawText(QRectF(QPointF(0, 0), imageSize), Qt::AlignCenter, text);
    return pixmap;
}
