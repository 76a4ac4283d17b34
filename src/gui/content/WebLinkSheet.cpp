#include "gui/content/WebLinkSheet.h"

#include "model/AttachedWebLink.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

WebLinkSheet::WebLinkSheet(QWidget* parent)
    : QDialog(parent)
    , m_address(new QLineEdit(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(QStringLiteral("Add Web Link"));
    setWindowModality(Qt::WindowModal);
    m_address->setPlaceholderText(QStringLiteral("https://"));
    m_address->setMinimumWidth(360);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Add Link"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Web address:"), this));
    layout->addWidget(m_address);
    layout->addWidget(new QLabel(QStringLiteral("The link is named after its page once the page has been read."), this));
    layout->addWidget(m_buttons);
    connect(m_address, &QLineEdit::textChanged, this, &WebLinkSheet::updateButton);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateButton();
}

std::optional<QString> WebLinkSheet::ask(QWidget* parent)
{
    WebLinkSheet sheet(parent);
    if (sheet.exec() != QDialog::Accepted)
        return std::nullopt;
    return sheet.m_address->text();
}

void WebLinkSheet::updateButton()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(AttachedWebLink::addressFromTyped(m_address->text()).has_value());
}
