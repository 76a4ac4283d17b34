#include "gui/schedule/RestartRotationSheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

RestartRotationSheet::RestartRotationSheet(RestartRotationController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_label(new QLabel(this))
    , m_types(new QComboBox(this))
{
    setObjectName(QStringLiteral("RestartRotationWindowController"));
    setWindowTitle(tr("Restart Rotation"));
    setWindowModality(Qt::WindowModal);
    m_label->setWordWrap(true);
    m_label->setMinimumWidth(380);
    m_types->setAccessibleName(tr("Day type to restart with"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Restart"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RestartRotationSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RestartRotationSheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_types);
    layout->addWidget(buttons);
    load();
}

void RestartRotationSheet::load()
{
    m_label->setText(m_controller.label());
    m_types->clear();
    m_types->addItems(m_controller.dayTypes());
    m_types->setCurrentIndex(m_controller.chosenType());
}

// The sheet closes after a refusal too: the alert has said why.
void RestartRotationSheet::accept()
{
    m_controller.setChosenType(m_types->currentIndex());
    if (m_controller.restartPressed() != RestartRotationController::Outcome::Cancelled)
        QDialog::accept();
}
