#include "gui/calsync/ICalSyncManagerWindow.h"

#include "calsync/CalDavStore.h"
#include "calsync/CalendarFileStore.h"
#include "foundation/alerts/AlertPresenter.h"
#include "gui/calsync/OffThread.h"
#include "model/Year.h"
#include "net/PasswordStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <tuple>

namespace {

using StoreKind = CalendarSyncSettings::StoreKind;

// The label of a notes switch: the teacher's own name for the field.
QString fieldLabel(const Year& year, const QString& fieldKey, const QString& fallback)
{
    const QString title = year.fieldTitle(fieldKey).trimmed();
    return title.isEmpty() ? fallback : title;
}

QString filesHelp(const QString& folder)
{
    return QStringLiteral(
        "Semestra writes one calendar file per calendar into<br><b>%1</b><br>"
        "To see them, subscribe to each file: in GNOME Calendar or Evolution choose New Calendar, On the Web, "
        "and give the file's address (file://…); in Thunderbird choose New Calendar, On the Network, iCalendar "
        "(ICS); in KOrganizer add an ICal Calendar File.")
        .arg(folder.toHtmlEscaped());
}

} // namespace

ICalSyncManagerWindow::ICalSyncManagerWindow(
    Year& year, PasswordStore& passwords, AlertPresenter& alerts, QWidget* window)
    : QDialog(window)
    , m_manager(year)
    , m_year(year)
    , m_passwords(passwords)
    , m_alerts(alerts)
{
    setObjectName(QStringLiteral("ICalSyncManagerWindow"));
    setWindowTitle(QStringLiteral("Calendar Sync"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createStoreBox());
    m_table = new QTableWidget(0, 2, this);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Course"), QStringLiteral("Calendar") });
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setAccessibleName(tr("Calendar of each course"));
    layout->addWidget(m_table, 1);
    layout->addWidget(createSwitchesBox());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 640);
    windowDidLoad();
}

ICalSyncManagerWindow::~ICalSyncManagerWindow() = default;

QWidget* ICalSyncManagerWindow::createStoreBox()
{
    auto* box = new QGroupBox(QStringLiteral("Calendars"), this);
    auto* layout = new QVBoxLayout(box);
    m_files = new QRadioButton(QStringLiteral("Calendar files on this computer"), box);
    m_filesHelp = new QLabel(box);
    m_filesHelp->setWordWrap(true);
    m_filesHelp->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_server = new QRadioButton(QStringLiteral("A CalDAV server (Nextcloud, Radicale, Fastmail, iCloud, …)"), box);
    m_serverFields = new QWidget(box);
    auto* fields = new QFormLayout(m_serverFields);
    m_address = new QLineEdit(m_serverFields);
    m_address->setPlaceholderText(QStringLiteral("https://cloud.example.org/remote.php/dav/"));
    m_user = new QLineEdit(m_serverFields);
    m_password = new QLineEdit(m_serverFields);
    m_password->setEchoMode(QLineEdit::Password);
    m_keyringNote = new QLabel(m_serverFields);
    m_keyringNote->setWordWrap(true);
    m_lookUp = new QPushButton(QStringLiteral("Look Up Calendars"), m_serverFields);
    fields->addRow(QStringLiteral("Address:"), m_address);
    fields->addRow(QStringLiteral("User name:"), m_user);
    fields->addRow(QStringLiteral("Password:"), m_password);
    fields->addRow(QString(), m_keyringNote);
    fields->addRow(QString(), m_lookUp);
    layout->addWidget(m_files);
    layout->addWidget(m_filesHelp);
    layout->addWidget(m_server);
    layout->addWidget(m_serverFields);
    connect(m_files, &QRadioButton::toggled, this, &ICalSyncManagerWindow::storeKindChanged);
    connect(m_lookUp, &QPushButton::clicked, this, &ICalSyncManagerWindow::lookUpCalendars);
    return box;
}

QWidget* ICalSyncManagerWindow::createSwitchesBox()
{
    auto* box = new QGroupBox(QStringLiteral("Sync"), this);
    auto* layout = new QGridLayout(box);
    const QList<std::pair<QString, QString>> kinds { { QStringLiteral("syncLessons"), QStringLiteral("Lessons") },
        { QStringLiteral("syncHolidays"), QStringLiteral("Non-school days") },
        { QStringLiteral("syncDailyNotes"), QStringLiteral("Day notes") } };
    const QList<std::tuple<QString, QString, QString>> fields {
        { QStringLiteral("syncTeacherInformation"), QStringLiteral("lessonBody"), QStringLiteral("Lesson plan") },
        { QStringLiteral("syncHomework"), QStringLiteral("homework"), QStringLiteral("Homework") },
        { QStringLiteral("syncPublicComment"), QStringLiteral("publicComment"), QStringLiteral("Public comment") },
        { QStringLiteral("syncCustom1"), QStringLiteral("custom1"), QStringLiteral("Custom 1") },
        { QStringLiteral("syncCustom2"), QStringLiteral("custom2"), QStringLiteral("Custom 2") },
        { QStringLiteral("syncCustom3"), QStringLiteral("custom3"), QStringLiteral("Custom 3") }
    };
    for (int index = 0; index < kinds.size(); ++index) {
        auto* check = new QCheckBox(kinds[index].second, box);
        m_switches.insert(kinds[index].first, check);
        layout->addWidget(check, 0, index);
    }
    layout->addWidget(new QLabel(QStringLiteral("Event notes hold:"), box), 1, 0, 1, 3);
    for (int index = 0; index < fields.size(); ++index) {
        const auto& [switchKey, fieldKey, fallback] = fields[index];
        auto* check = new QCheckBox(fieldLabel(m_year, fieldKey, fallback), box);
        m_switches.insert(switchKey, check);
        layout->addWidget(check, 2 + index / 3, index % 3);
    }
    return box;
}

void ICalSyncManagerWindow::windowDidLoad()
{
    m_manager.windowDidLoad();
    CalendarSyncSettings& settings = m_manager.settings();
    const bool server = settings.storeKind() == StoreKind::CalDav;
    m_address->setText(settings.serverAddress());
    m_user->setText(settings.userName());
    m_password->clear();
    for (auto check = m_switches.cbegin(); check != m_switches.cend(); ++check)
        check.value()->setChecked(settings.isOn(check.key()));
    m_filesHelp->setText(filesHelp(CalendarFileStore::defaultFolder()));
    {
        // Told once, below, whether or not the choice changes.
        const QSignalBlocker quiet(m_files);
        (server ? m_server : m_files)->setChecked(true);
    }
    storeKindChanged();
}

void ICalSyncManagerWindow::storeKindChanged()
{
    const bool server = m_server->isChecked();
    m_manager.setStoreKind(server ? StoreKind::CalDav : StoreKind::Files);
    m_filesHelp->setEnabled(!server);
    m_serverFields->setEnabled(server);
    if (server) {
        showKeyringState();
        fillTable();
    } else {
        lookUpCalendars();
    }
}

// Where no keyring runs, the password cannot be kept: the teacher is asked
// for it at every sync instead, and told so here.
void ICalSyncManagerWindow::showKeyringState()
{
    const QUrl address(m_address->text().trimmed());
    const PasswordStore::Lookup lookup
        = m_passwords.readPassword(CalDavStore::passwordService, CalDavStore::passwordAccount(address, m_user->text()));
    m_keyringWorks = lookup.state == PasswordStore::Lookup::State::Found
        || lookup.state == PasswordStore::Lookup::State::NotStored;
    if (lookup.state == PasswordStore::Lookup::State::Found && m_password->text().isEmpty())
        m_password->setText(lookup.password);
    m_keyringNote->setText(m_keyringWorks
            ? QStringLiteral("The password is kept in the desktop keyring.")
            : QStringLiteral("%1 The password will be asked for at each sync.").arg(lookup.reason));
}

void ICalSyncManagerWindow::lookUpCalendars()
{
    std::unique_ptr<CalendarStore> store;
    if (m_server->isChecked())
        store = std::make_unique<CalDavStore>(QUrl(m_address->text().trimmed()), m_user->text(), m_password->text());
    else
        store = std::make_unique<CalendarFileStore>(CalendarFileStore::defaultFolder());
    CalendarStore* reading = store.get();
    const CalendarStore::Outcome failed = OffThread::run([reading] {
        CalendarStore::Outcome opened = reading->open();
        if (!opened)
            reading->close();
        return opened;
    });
    if (failed && m_server->isChecked())
        m_alerts.inform(QStringLiteral("The calendars could not be read."), failed->message);
    if (!failed)
        m_manager.setStoreCalendars(store->calendars());
    fillTable();
}

void ICalSyncManagerWindow::fillTable()
{
    const QList<ICalSyncManager::Row>& rows = m_manager.rows();
    m_table->setRowCount(int(rows.size()));
    QStringList names;
    for (const CalendarInfo& calendar : m_manager.possibleCalendars())
        names.append(ICalSyncManager::displayName(calendar));
    for (int row = 0; row < rows.size(); ++row) {
        auto* name = new QTableWidgetItem(rows[row].key);
        name->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, 0, name);
        auto* popUp = new QComboBox(m_table);
        popUp->addItems(names);
        popUp->setCurrentIndex(rows[row].choice);
        connect(popUp, &QComboBox::currentIndexChanged, this,
            [this, row](int choice) { m_manager.chooseCalendar(row, choice); });
        m_table->setCellWidget(row, 1, popUp);
    }
}

QComboBox* ICalSyncManagerWindow::calendarPopUp(int row) const
{
    return qobject_cast<QComboBox*>(m_table->cellWidget(row, 1));
}

void ICalSyncManagerWindow::accept()
{
    CalendarSyncSettings& settings = m_manager.settings();
    for (auto check = m_switches.cbegin(); check != m_switches.cend(); ++check)
        settings.setOn(check.key(), check.value()->isChecked());
    settings.setServerAddress(m_address->text().trimmed());
    settings.setUserName(m_user->text());
    if (m_server->isChecked() && m_keyringWorks && !m_password->text().isEmpty()) {
        const Status kept = m_passwords.writePassword(CalDavStore::passwordService,
            CalDavStore::passwordAccount(QUrl(settings.serverAddress()), settings.userName()), m_password->text());
        if (!kept)
            m_alerts.inform(QStringLiteral("The password was not kept."), kept.error());
    }
    m_manager.close();
    QDialog::accept();
}
