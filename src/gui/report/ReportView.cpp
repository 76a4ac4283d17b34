#include "gui/report/ReportView.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/richtext/RtfReader.h"
#include "foundation/richtext/RtfWriter.h"
#include "gui/editing/RichTextArea.h"
#include "gui/window/UndoStepName.h"
#include "model/LessonReportInformation.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "report/ReportMailer.h"
#include "report/ReportPdf.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The report settings' show switches, as the Show menu lists them.
struct ShowSwitch {
    const char* key;
    const char* field;
};

constexpr ShowSwitch showSwitches[]
    = { { "showLessonBody", "lessonBody" }, { "showHomework", "homework" }, { "showPublicComment", "publicComment" },
          { "showCustom1", "custom1" }, { "showCustom2", "custom2" }, { "showCustom3", "custom3" },
          { "showTags", nullptr }, { "showAttachments", nullptr }, { "showStandards", nullptr } };

QString switchTitle(const Year& year, const ShowSwitch& entry)
{
    if (entry.field) {
        const QString title = year.fieldTitle(QString::fromLatin1(entry.field));
        return title.isEmpty() ? QString::fromLatin1(entry.field) : title;
    }
    const QString key = QString::fromLatin1(entry.key);
    if (key == QLatin1String("showTags"))
        return QStringLiteral("Assignments");
    return key == QLatin1String("showAttachments") ? QStringLiteral("Attachments") : QStringLiteral("Standards");
}

} // namespace

ReportView::ReportView(Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* parent)
    : QWidget(parent)
    , m_year(year)
    , m_settings(*year.reportInformation())
    , m_alerts(alerts)
    , m_files(files)
{
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_choices = new QHBoxLayout;
    row->addLayout(m_choices);
    row->addStretch();
    const auto button = [this, row](const QString& title, void (ReportView::*command)()) {
        auto* made = new QPushButton(title, this);
        connect(made, &QPushButton::clicked, this, command);
        row->addWidget(made);
    };
    button(QStringLiteral("Print…"), &ReportView::print);
    button(QStringLiteral("Save as PDF…"), &ReportView::saveAsPdf);
    button(QStringLiteral("Email"), &ReportView::email);
    auto* back = new QPushButton(QStringLiteral("Return to Planning"), this);
    connect(back, &QPushButton::clicked, this, &ReportView::returnToPlanningRequested);
    row->addWidget(back);
    column->addLayout(row);
    addShowMenu();
    observeYear();
}

// What redraws the planning views changes the report too: a course shown or
// hidden, renamed or recoloured, a holiday renamed, lessons moved.
void ReportView::observeYear()
{
    for (const QString& name : PlanningNotifications::viewsNeedRedraw)
        m_observers.observe(name, &m_year.context(), [this](const Notification&) { reload(); });
}

void ReportView::setBody(QWidget* body)
{
    static_cast<QVBoxLayout*>(layout())->addWidget(body, 1);
}

void ReportView::addShowMenu()
{
    auto* show = new QToolButton(this);
    show->setText(QStringLiteral("Show"));
    show->setPopupMode(QToolButton::InstantPopup);
    show->setAccessibleName(tr("Show in the report"));
    auto* menu = new QMenu(show);
    // Its items name what the report shows, not the change.
    UndoStepName::set(menu, QStringLiteral("Change Report Contents"));
    for (const ShowSwitch& entry : showSwitches) {
        QAction* item = menu->addAction(switchTitle(m_year, entry));
        const QString key = QString::fromLatin1(entry.key);
        item->setCheckable(true);
        item->setChecked(m_settings.isShown(key));
        connect(item, &QAction::toggled, this, [this, key](bool on) {
            m_settings.setValue(key, on);
            reload();
        });
    }
    show->setMenu(menu);
    m_choices->addWidget(show);
}

void ReportView::addSettingSwitch(const QString& title, const QString& key)
{
    auto* box = new QCheckBox(title, this);
    box->setChecked(m_settings.value<bool>(key));
    connect(box, &QCheckBox::toggled, this, [this, key](bool on) {
        m_settings.setValue(key, on);
        reload();
    });
    m_choices->addWidget(box);
}

void ReportView::addSizeSetting(const QString& key)
{
    auto* size = new QDoubleSpinBox(this);
    size->setRange(6, 36);
    size->setSuffix(QStringLiteral(" pt"));
    size->setDecimals(0);
    size->setValue(m_settings.value<double>(key));
    size->setAccessibleName(tr("Report text size"));
    UndoStepName::set(size, QStringLiteral("Change Report Text Size"));
    connect(size, &QDoubleSpinBox::valueChanged, this, [this, key](double points) {
        m_settings.setValue(key, points);
        reload();
    });
    m_choices->addWidget(new QLabel(QStringLiteral("Size:"), this));
    m_choices->addWidget(size);
}

// The header keeps the teacher's styling and lines: it is edited as rich
// text, a few lines high, and stored as RTF at every change.
void ReportView::addHeaderSetting(const QString& key)
{
    auto* header = new RichTextArea(this);
    header->setObjectName(QStringLiteral("reportHeader"));
    header->setPlaceholderText(QStringLiteral("Header"));
    header->setAccessibleName(tr("Report header"));
    UndoStepName::set(header, QStringLiteral("Edit Report Header"));
    header->setToolTip(QStringLiteral("Printed above the report. Ctrl+B, Ctrl+I and Ctrl+U style the selected text."));
    if (const QByteArray stored = m_settings.header(key); !stored.isEmpty())
        RtfReader::read(stored, header->document());
    header->document()->clearUndoRedoStacks();
    header->setMinimumWidth(220);
    header->setFixedHeight(3 * header->fontMetrics().lineSpacing() + 2 * header->frameWidth() + 8);
    connect(header, &QTextEdit::textChanged, this, [this, key, header] {
        const bool empty = header->document()->isEmpty();
        m_settings.setValue(
            key, empty ? QVariant() : QVariant(QString::fromUtf8(RtfWriter::write(*header->document()))));
        reload();
    });
    m_choices->addWidget(header);
}

QString ReportView::mailSubject() const
{
    return QStringLiteral("Lesson Plans");
}

void ReportView::print()
{
    printWithDialog(this, m_alerts, [this](QPagedPaintDevice& device) { return printTo(device); });
}

void ReportView::printWithDialog(
    QWidget* parent, AlertPresenter& alerts, const std::function<bool(QPagedPaintDevice&)>& print)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!print(printer))
        alerts.inform(QStringLiteral("The report could not be printed."),
            QStringLiteral("The printer did not accept the report."));
}

void ReportView::saveAsPdf()
{
    SavePanelRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.proposedName = QStringLiteral("Lesson Plans.pdf");
    request.allowedTypes = { QStringLiteral("pdf") };
    const std::optional<QString> path = m_files.chooseSaveLocation(request);
    if (!path)
        return;
    const Status written = ReportPdf::write(*path, [this](QPagedPaintDevice& device) { return printTo(device); });
    if (!written)
        m_alerts.inform(QStringLiteral("The PDF could not be saved."), written.error());
}

void ReportView::email()
{
    const QString path = ReportMailer::pdfPathFor(mailFileName());
    const Status written = path.isEmpty()
        ? Status::failure(QStringLiteral("The cache folder for mailed reports could not be made."))
        : ReportPdf::write(path, [this](QPagedPaintDevice& device) { return printTo(device); });
    if (!written) {
        m_alerts.inform(QStringLiteral("The PDF could not be saved."), written.error());
        return;
    }
    ReportMailer(m_alerts).send(path, mailSubject());
}
