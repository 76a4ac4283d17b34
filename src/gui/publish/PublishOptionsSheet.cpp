#include "gui/publish/PublishOptionsSheet.h"

#include "content/Workspace.h"
#include "foundation/alerts/AlertPresenter.h"
#include "gui/window/UndoStepName.h"
#include "publish/PublishOptionsController.h"
#include "publish/PublishThemes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// What a field is called when the teacher gave it no label.
const std::array<const char*, 6> fieldNames { "Lesson", "Homework", "Public Comment", "Custom 1", "Custom 2",
    "Custom 3" };

} // namespace

PublishOptionsSheet::PublishOptionsSheet(
    PublishOptionsController& controller, AlertPresenter& alerts, Workspace& workspace, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_alerts(alerts)
    , m_workspace(workspace)
    , m_themes(new QListWidget(this))
{
    setObjectName(QStringLiteral("PublishOptionsWindow"));
    setWindowTitle(QStringLiteral("Publish Options"));
    m_themes->setAccessibleName(tr("Site themes"));
    UndoStepName::set(this, QStringLiteral("Change Publish Options"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(640);
    m_themes->addItems(PublishThemes::names());
    m_themes->setMaximumWidth(160);
    connect(m_themes, &QListWidget::currentTextChanged, this,
        [this](const QString& theme) { m_controller.selectTheme(theme); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_preview = buttons->addButton(QStringLiteral("Open Preview"), QDialogButtonBox::ActionRole);
    connect(m_preview, &QPushButton::clicked, this, &PublishOptionsSheet::openPreviewPressed);
    connect(buttons, &QDialogButtonBox::accepted, this, &PublishOptionsSheet::okPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    auto* themeColumn = new QVBoxLayout;
    themeColumn->addWidget(new QLabel(QStringLiteral("Theme:"), this));
    themeColumn->addWidget(m_themes);
    columns->addLayout(themeColumn);
    columns->addWidget(createChoices(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    windowDidLoad();
}

QWidget* PublishOptionsSheet::createChoices()
{
    auto* choices = new QWidget(this);
    m_title = new QLineEdit(choices);
    m_introduction = new QPlainTextEdit(choices);
    m_introduction->setMaximumHeight(80);
    m_header = new QLineEdit(choices);
    m_footer = new QLineEdit(choices);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Site title:"), m_title);
    form->addRow(QStringLiteral("Introduction:"), m_introduction);
    form->addRow(QStringLiteral("Month header:"), m_header);
    form->addRow(QStringLiteral("Month footer:"), m_footer);

    auto* parts = new QGroupBox(QStringLiteral("Put on the lesson pages"), choices);
    auto* grid = new QGridLayout(parts);
    for (size_t field = 0; field < m_fields.size(); ++field) {
        m_fields[field] = new QCheckBox(parts);
        grid->addWidget(m_fields[field], int(field % 3), int(field / 3));
    }
    m_files = new QCheckBox(QStringLiteral("Handouts"), parts);
    m_links = new QCheckBox(QStringLiteral("Web links"), parts);
    m_standards = new QCheckBox(QStringLiteral("Standards"), parts);
    grid->addWidget(m_files, 0, 2);
    grid->addWidget(m_links, 1, 2);
    grid->addWidget(m_standards, 2, 2);
    m_credit = new QCheckBox(QStringLiteral("Show “Created with Semestra” on the first page"), choices);

    auto* layout = new QVBoxLayout(choices);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(parts);
    layout->addWidget(m_credit);
    return choices;
}

void PublishOptionsSheet::windowDidLoad()
{
    m_controller.windowDidLoad();
    const SiteSettings& settings = m_controller.settings();
    const QList<QListWidgetItem*> current = m_themes->findItems(m_controller.theme(), Qt::MatchExactly);
    m_themes->setCurrentItem(current.value(0));
    m_title->setText(settings.mainTitle);
    m_introduction->setPlainText(settings.introduction);
    m_header->setText(settings.monthHeader);
    m_footer->setText(settings.monthFooter);
    for (size_t field = 0; field < m_fields.size(); ++field) {
        const QString& caption = settings.captions[field];
        m_fields[field]->setText(caption.isEmpty() ? QString::fromLatin1(fieldNames[field]) : caption);
        m_fields[field]->setChecked(settings.publishField[field]);
    }
    m_files->setChecked(settings.publishFiles);
    m_links->setChecked(settings.publishLinks);
    m_standards->setChecked(settings.publishStandards);
    m_credit->setChecked(settings.showCredit);
}

void PublishOptionsSheet::readChoices()
{
    SiteSettings& settings = m_controller.settings();
    settings.mainTitle = m_title->text();
    settings.introduction = m_introduction->toPlainText();
    settings.monthHeader = m_header->text();
    settings.monthFooter = m_footer->text();
    for (size_t field = 0; field < m_fields.size(); ++field)
        settings.publishField[field] = m_fields[field]->isChecked();
    settings.publishFiles = m_files->isChecked();
    settings.publishLinks = m_links->isChecked();
    settings.publishStandards = m_standards->isChecked();
    settings.showCredit = m_credit->isChecked();
}

void PublishOptionsSheet::openPreviewPressed()
{
    readChoices();
    const std::optional<QString> page = m_controller.buildPreview();
    if (!page || !m_workspace.open(QUrl::fromLocalFile(*page))) {
        m_alerts.inform(QStringLiteral("The preview could not be shown."),
            page ? QStringLiteral("No web browser could be started to show it.")
                 : QStringLiteral("The preview could not be written into its folder, “%1”.")
                       .arg(PublishOptionsController::defaultPreviewFolder()));
    }
}

void PublishOptionsSheet::okPressed()
{
    readChoices();
    m_controller.okPressed();
    accept();
}
