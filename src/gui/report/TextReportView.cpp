#include "gui/report/TextReportView.h"

#include "foundation/dates/DateFormatting.h"
#include "gui/content/StandardsTree.h"
#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/LessonReportInformation.h"
#include "model/ModelNotifications.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "report/ReportFonts.h"
#include "report/ReportPdf.h"
#include "report/TextReports.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>

namespace {

QDate calendarDate(Date date)
{
    return date.toQDateTime().date();
}

void addStandardItems(QTreeWidgetItem* parent, QTreeWidget* tree, const Standard* standard)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, StandardsTree::label(*standard));
    item->setToolTip(0, standard->text());
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<const void*>(standard)));
    for (const Standard* child : standard->children())
        addStandardItems(item, tree, child);
}

} // namespace

TextReportView::TextReportView(Kind kind, Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* parent)
    : ReportView(year, alerts, files, parent)
    , m_kind(kind)
{
    addSizeSetting(QStringLiteral("baseFontSize"));
    m_text = new QTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setAccessibleName(tr("Report"));
    switch (kind) {
    case Kind::Daily:
        addDailyRange();
        addHeaderSetting(QStringLiteral("dailyHeader"));
        setBody(m_text);
        break;
    case Kind::Unit:
        addUnitChoice();
        addHeaderSetting(QStringLiteral("unitHeader"));
        setBody(m_text);
        break;
    case Kind::Standards:
        addHeaderSetting(QStringLiteral("standardsHeader"));
        addStandardsTree();
        break;
    }
    reload();
}

TextReportView::~TextReportView() = default;

void TextReportView::addDailyRange()
{
    const auto dateEdit = [this](const QString& key, const QString& name) {
        auto* edit = new QDateEdit(calendarDate(settings().requiredDate(key)), this);
        edit->setCalendarPopup(true);
        edit->setAccessibleName(name);
        UndoStepName::set(edit, QStringLiteral("Change Report Dates"));
        connect(edit, &QDateEdit::dateChanged, this, [this, key](QDate date) {
            settings().setDate(key, Date::fromQDateTime(date.startOfDay()));
            reload();
        });
        return edit;
    };
    choices()->addWidget(new QLabel(QStringLiteral("From"), this));
    choices()->addWidget(dateEdit(QStringLiteral("startDateForDaily"), tr("First day of the report")));
    choices()->addWidget(new QLabel(QStringLiteral("to"), this));
    choices()->addWidget(dateEdit(QStringLiteral("endDateForDaily"), tr("Last day of the report")));
}

void TextReportView::addUnitChoice()
{
    m_units = new QComboBox(this);
    m_units->setAccessibleName(tr("Unit of the report"));
    fillUnits();
    connect(m_units, &QComboBox::currentIndexChanged, this,
        [this](int index) { chooseUnit(static_cast<const Unit*>(m_units->itemData(index).value<const void*>())); });
    // Posted when units are added, renamed or deleted.
    m_unitObservers.observe(ModelNotifications::newUnitAdded, &m_year.context(), [this](const Notification&) {
        fillUnits();
        reload();
    });
    choices()->addWidget(new QLabel(QStringLiteral("Unit Report"), this));
    choices()->addWidget(m_units);
}

void TextReportView::fillUnits()
{
    const QSignalBlocker quiet(m_units);
    m_units->clear();
    m_units->addItem(QStringLiteral("Choose Unit For Report"));
    const QList<Unit*> units = m_year.allUnits();
    for (const Unit* unit : units) {
        const Course* course = unit->course();
        m_units->addItem(QStringLiteral("%1: %2").arg(course ? course->courseName() : QString(), unit->unitName()),
            QVariant::fromValue(static_cast<const void*>(unit)));
    }
    if (std::find(units.cbegin(), units.cend(), m_unit) == units.cend())
        m_unit = nullptr;
    m_units->setCurrentIndex(std::max(0, m_units->findData(QVariant::fromValue(static_cast<const void*>(m_unit)))));
}

void TextReportView::addStandardsTree()
{
    m_standards = new QTreeWidget(this);
    m_standards->setHeaderLabel(QStringLiteral("Standards"));
    m_standards->setAccessibleName(tr("Standards"));
    for (const Standard* standard : m_year.allStandards()) {
        if (!standard->parent())
            addStandardItems(nullptr, m_standards, standard);
    }
    m_standards->sortItems(0, Qt::AscendingOrder);
    connect(m_standards, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        chooseStandard(item ? static_cast<const Standard*>(item->data(0, Qt::UserRole).value<const void*>()) : nullptr);
    });
    auto* split = new QSplitter(this);
    split->addWidget(m_standards);
    split->addWidget(m_text);
    split->setStretchFactor(1, 3);
    setBody(split);
}

void TextReportView::chooseUnit(const Unit* unit)
{
    m_unit = unit;
    reload();
}

void TextReportView::chooseStandard(const Standard* standard)
{
    m_standard = standard;
    reload();
}

void TextReportView::reload()
{
    std::unique_ptr<QTextDocument> next;
    switch (m_kind) {
    case Kind::Daily:
        next = TextReports::dailyPlan(m_year, settings().startDateForDaily(), settings().endDateForDaily());
        break;
    case Kind::Unit:
        next = TextReports::unitReport(m_year, m_unit);
        break;
    case Kind::Standards:
        next = TextReports::standardsReport(m_year, m_standard);
        break;
    }
    // The text view lets go of the old report before it is deleted.
    m_text->setDocument(next.get());
    m_report = std::move(next);
}

bool TextReportView::printTo(QPagedPaintDevice& device)
{
    std::unique_ptr<QTextDocument> pages(m_report->clone());
    return ReportPdf::printText(*pages, device);
}

QString TextReportView::mailSubject() const
{
    if (m_kind != Kind::Daily)
        return ReportView::mailSubject();
    return QStringLiteral("Lesson Plans from %1 to %2")
        .arg(DateFormatting::formatDateStyle(settings().startDateForDaily(), DateFormatting::DateStyle::Medium),
            DateFormatting::formatDateStyle(settings().endDateForDaily(), DateFormatting::DateStyle::Medium));
}
