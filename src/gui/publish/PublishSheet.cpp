#include "gui/publish/PublishSheet.h"

#include "gui/schedule/SheetDates.h"
#include "model/PublishInfo.h"
#include "publish/PublishController.h"
#include "publish/SiteUploadController.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
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

PublishSheet::PublishSheet(PublishController& controller, SiteUploadController& uploads, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_uploads(uploads)
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("PublishWindow"));
    setWindowTitle(QStringLiteral("Publish"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(460);
    m_tabs->addTab(createLocalTab(), QStringLiteral("Folder"));
    m_tabs->addTab(createFtpTab(), QStringLiteral("Server"));

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

QWidget* PublishSheet::createFtpTab()
{
    m_ftpTab = new QWidget(m_tabs);
    m_ftpTab->setObjectName(QStringLiteral("ftp"));
    m_host = new QLineEdit(m_ftpTab);
    m_host->setPlaceholderText(QStringLiteral("sftp://www.school.org"));
    m_port = new QSpinBox(m_ftpTab);
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(QStringLiteral("Default"));
    m_user = new QLineEdit(m_ftpTab);
    m_password = new QLineEdit(m_ftpTab);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(QStringLiteral("Kept in the keyring"));
    m_remotePath = new QLineEdit(m_ftpTab);
    m_remotePath->setPlaceholderText(QStringLiteral("public_html"));
    m_requireEncryption = new QCheckBox(QStringLiteral("Require encryption"), m_ftpTab);
    m_requireEncryption->setToolTip(QStringLiteral("Never send the password to an ftp:// server in clear"));

    auto* form = new QFormLayout(m_ftpTab);
    form->addRow(QStringLiteral("Host:"), m_host);
    form->addRow(QStringLiteral("Port:"), m_port);
    form->addRow(QStringLiteral("User:"), m_user);
    form->addRow(QStringLiteral("Password:"), m_password);
    form->addRow(QStringLiteral("Remote folder:"), m_remotePath);
    form->addRow(QString(), m_requireEncryption);
    auto* note = new QLabel(QStringLiteral("ftp:// uses encryption whenever the server offers it, ftps:// always, "
                                           "sftp:// goes over SSH. The password is kept in the desktop keyring, "
                                           "never in the document."),
        m_ftpTab);
    note->setWordWrap(true);
    form->addRow(note);
    return m_ftpTab;
}

bool PublishSheet::uploadChosen() const
{
    return m_tabs->currentWidget() == m_ftpTab;
}

void PublishSheet::windowDidLoad()
{
    const SiteSettings settings = m_controller.settings();
    m_folder->setText(m_controller.publishPath());
    const SiteUploadController::Server server = m_uploads.server();
    m_host->setText(server.address);
    m_port->setValue(server.port);
    m_user->setText(server.user);
    m_password->clear();
    m_remotePath->setText(server.remotePath);
    m_requireEncryption->setChecked(server.requireEncryption);
    const bool ftp = m_controller.publishInfo().value<int>(u"defaultConnectionType") == PublishInfo::Ftp;
    m_tabs->setCurrentWidget(ftp ? m_ftpTab : m_tabs->widget(0));
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

bool PublishSheet::storeServer()
{
    m_uploads.setServer(
        { m_host->text(), m_port->value(), m_user->text(), m_remotePath->text(), m_requireEncryption->isChecked() });
    const std::optional<TransferAddress> address = m_uploads.checkedAddress();
    if (!address)
        return false;
    if (!m_password->text().isEmpty())
        m_uploads.rememberPassword(*address, m_user->text().trimmed(), m_password->text());
    return true;
}

void PublishSheet::publishPressed()
{
    if (uploadChosen()) {
        if (!storeServer())
            return;
    } else {
        m_controller.setLocalExportLocation(m_folder->text().trimmed());
        if (!m_controller.checkFolder())
            return;
    }
    const auto ordered = [](QDateEdit* first, QDateEdit* last) {
        return std::pair(SheetDates::instant(std::min(first->date(), last->date())),
            SheetDates::instant(std::max(first->date(), last->date())));
    };
    const auto [calendarFirst, calendarLast] = ordered(m_calendarStart, m_calendarEnd);
    const auto [lessonFirst, lessonLast] = ordered(m_lessonStart, m_lessonEnd);
    m_controller.setCalendarRange(calendarFirst, calendarLast);
    m_controller.setLessonRange(lessonFirst, lessonLast);
    const QString password = uploadChosen() ? m_password->text() : QString();
    m_password->clear();
    accept();
    emit publishRequested(password);
}
