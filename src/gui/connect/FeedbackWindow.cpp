#include "gui/connect/FeedbackWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QString templates
    = QStringLiteral("What happened?\n\n\nWhat did you expect to happen?\n\n\nHow can we make it happen again?\n"
                     "\n\n--\n\n"
                     "What would you like Semestra to do?\n\n\nHow would it help your planning?\n"
                     "\n\n--\n\n"
                     "How can we help?\n");

} // namespace

FeedbackWindow::FeedbackWindow(SyncConnection& connection, AlertPresenter& alerts, QWidget* parent)
    : QDialog(parent)
    , m_controller(connection, alerts)
    , m_sections(new QTabBar(this))
    , m_text(new QTextEdit(this))
    , m_name(new QLineEdit(this))
    , m_email(new QComboBox(this))
    , m_includeContact(new QCheckBox(QStringLiteral("Include my name and e-mail address"), this))
    , m_includeProfile(new QCheckBox(QStringLiteral("Include details about this computer"), this))
    , m_progress(new QProgressBar(this))
    , m_send(new QPushButton(QStringLiteral("Send"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Send Feedback about %1").arg(QCoreApplication::applicationName()));
    setAttribute(Qt::WA_DeleteOnClose);
    for (const QString& section : { QStringLiteral("Bug"), QStringLiteral("Feature"), QStringLiteral("Support") })
        m_sections->addTab(section);
    m_controller.setTemplates(templates);
    m_text->setAcceptRichText(false);
    m_text->setPlainText(m_controller.sectionText(FeedbackController::Bug));
    m_email->setEditable(true);
    m_includeContact->setChecked(true);
    m_includeProfile->setChecked(true);
    m_progress->setRange(0, 0);
    m_progress->setVisible(false);
    m_send->setDefault(true);

    auto* contact = new QFormLayout;
    contact->addRow(QStringLiteral("Name:"), m_name);
    contact->addRow(QStringLiteral("E-mail:"), m_email);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_send);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sections);
    layout->addWidget(m_text, 1);
    layout->addLayout(contact);
    layout->addWidget(m_includeContact);
    layout->addWidget(m_includeProfile);
    layout->addLayout(buttons);
    resize(520, 460);

    connect(m_sections, &QTabBar::currentChanged, this, [this](int section) {
        m_text->setPlainText(m_controller.switchSection(section, m_text->toPlainText()));
        m_text->moveCursor(QTextCursor::Start);
    });
    connect(m_includeContact, &QCheckBox::toggled, m_name, &QWidget::setEnabled);
    connect(m_includeContact, &QCheckBox::toggled, m_email, &QWidget::setEnabled);
    connect(m_send, &QPushButton::clicked, this, &FeedbackWindow::submit);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_controller, &FeedbackController::finished, this, [this](bool sent) {
        setSending(false);
        if (sent)
            accept();
    });
}

void FeedbackWindow::setSending(bool sending)
{
    m_send->setEnabled(!sending);
    m_cancel->setEnabled(!sending);
    m_text->setReadOnly(sending);
    m_progress->setVisible(sending);
}

void FeedbackWindow::submit()
{
    setSending(true);
    if (!m_includeProfile->isChecked())
        return post(FeedbackController::suppressedProfile);
    // Reading the system's details can wait on slow files; the window keeps drawing.
    auto* profile = new QString;
    QThread* worker = QThread::create([profile] { *profile = FeedbackController::systemProfile(); });
    connect(worker, &QThread::finished, this, [this, worker, profile] {
        post(*profile);
        delete profile;
        worker->deleteLater();
    });
    worker->start();
}

void FeedbackWindow::post(const QString& profile)
{
    const FeedbackController::Contact contact { m_includeContact->isChecked(), m_name->text(), m_email->currentText() };
    if (!m_controller.send(m_text->toPlainText(), contact, profile))
        setSending(false);
}
