#include "gui/help/AboutDialog.h"

#include "gui/help/LibraryVersions.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int iconSize = 64;

QString libraryRows()
{
    QString rows;
    for (const LibraryVersions::Library& library : LibraryVersions::all())
        rows += QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                    .arg(library.name.toHtmlEscaped(), library.version.toHtmlEscaped());
    return rows;
}

QString aboutHtml()
{
    return QStringLiteral("<h2>Semestra</h2>"
                          "<p>Version %1</p>"
                          "<p>A lesson planner for school teachers: one document holds one school year.</p>"
                          "<p>Licence: %2</p>"
                          "<p><b>Built on</b></p><table>%3</table>")
        .arg(AboutDialog::version().toHtmlEscaped(), AboutDialog::licence().toHtmlEscaped(), libraryRows());
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLabel(aboutHtml(), this))
{
    setWindowTitle(tr("About Semestra"));
    m_text->setTextFormat(Qt::RichText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setAccessibleName(tr("About Semestra"));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(340);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon::fromTheme(QStringLiteral("semestra"), QApplication::windowIcon()).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);
    icon->setAccessibleName(tr("Semestra icon"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    copy->setToolTip(tr("Copies the version and the libraries, for a problem report"));
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(plainText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(m_text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString AboutDialog::version()
{
    return QStringLiteral(SEMESTRA_VERSION);
}

QString AboutDialog::licence()
{
    return QStringLiteral("GNU General Public License, version 3 or later");
}

QString AboutDialog::plainText() const
{
    QTextDocument text;
    text.setHtml(m_text->text());
    return text.toPlainText();
}
