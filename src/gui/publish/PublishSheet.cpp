#include "gui/publish/PublishSheet.h"

#include "gui/schedule/SheetDates.h"
#include "publish/PublishController.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QDateEdit* datePicker(QWidget* parent)
{
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    return picker;
}

QWidget* rangeRow(QDateEdit* first, QDateEdit* last, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(first);
    layout->addWidget(new QLabel(QStringLiteral("to"), row));
    layout->addWidget(last);
    return row;
}

} // namespace

PublishSheet::PublishSheet(PublishController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("PublishWindow"));
    setWindowTitle(QStringLiteral("Publish"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(460);
    m_tabs->addTab(createLocalTab(), QStringLiteral("Folder"));

    auto* buttons = new QDialogButtonBox(this);
    m_publish = buttons->addButton(QStringLiteral("Publish"), QDialogButtonBox::AcceptRole);
    m_publish->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(m_publish, &QPushButton::clicked, this, &PublishSheet::publishPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    windowDidLoad();
}

QWidget* PublishSheet::createLocalTab()
{
    auto* tab = new QWidget(m_tabs);
    tab->setObjectName(QStringLiteral("local"));
    m_folder = new QLineEdit(tab);
    m_folder->setPlaceholderText(QStringLiteral("No folder chosen"));
    m_choose = new QPushButton(QStringLiteral("Choose…"), tab);
    connect(m_choose, &QPushButton::clicked, this, &PublishSheet::choosePressed);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_choose);
    m_calendarStart = datePicker(tab);
    m_calendarEnd = datePicker(tab);
    m_lessonStart = datePicker(tab);
    m_lessonEnd = datePicker(tab);

    auto* form = new QFormLayout(tab);
    form->addRow(QStringLiteral("Folder:"), folderRow);
    form->addRow(QStringLiteral("Calendar pages:"), rangeRow(m_calendarStart, m_calendarEnd, tab));
    form->addRow(QStringLiteral("Lesson pages:"), rangeRow(m_lessonStart, m_lessonEnd, tab));
    auto* note
        = new QLabel(QStringLiteral("Pages that did not change since the last publish are left as they are."), tab);
    note->setWordWrap(true);
    form->addRow(note);
    return tab;
}

void PublishSheet::windowDidLoad()
{
    const SiteSettings settings = m_controller.settings();
    m_folder->setText(m_controller.publishPath());
    m_calendarStart->setDate(SheetDates::calendarDay(settings.calendarStart));
    m_calendarEnd->setDate(SheetDates::calendarDay(settings.calendarEnd));
    m_lessonStart->setDate(SheetDates::calendarDay(settings.lessonStart));
    m_lessonEnd->setDate(SheetDates::calendarDay(settings.lessonEnd));
}

void PublishSheet::choosePressed()
{
    if (const std::optional<QString> folder = m_controller.choosePressed())
        m_folder->setText(*folder);
}

void PublishSheet::publishPressed()
{
    m_controller.setLocalExportLocation(m_folder->text().trimmed());
    if (!m_controller.checkFolder())
        return;
    const auto ordered = [](QDateEdit* first, QDateEdit* last) {
        return std::pair(SheetDates::instant(std::min(first->date(), last->date())),
            SheetDates::instant(std::max(first->date(), last->date())));
    };
    const auto [calendarFirst, calendarLast] = ordered(m_calendarStart, m_calendarEnd);
    const auto [lessonFirst, lessonLast] = ordered(m_lessonStart, m_lessonEnd);
    m_controller.setCalendarRange(calendarFirst, calendarLast);
    m_controller.setLessonRange(lessonFirst, lessonLast);
    accept();
    emit publishRequested();
}
