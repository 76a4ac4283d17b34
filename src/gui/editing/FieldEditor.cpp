#include "gui/editing/FieldEditor.h"

#include "foundation/notify/NotificationCenter.h"
#include "foundation/richtext/RtfReader.h"
#include "foundation/richtext/RtfWriter.h"
#include "gui/editing/RichTextArea.h"
#include "gui/window/UndoStepName.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The year's show and expanded flags of each field. The flags predate the
// field keys, which is why their names do not follow them.
struct FieldFlags {
    const char* show;
    const char* expanded;
};

FieldFlags flagsOf(const QString& textKey)
{
    static const QHash<QString, FieldFlags> flags { { QStringLiteral("lessonBody"),
                                                        { "showTeacher", "teacherEnlarged" } },
        { QStringLiteral("homework"), { "showHomework", "homeworkEnlarged" } },
        { QStringLiteral("publicComment"), { "showPublic", "publicEnlarged" } },
        { QStringLiteral("custom1"), { "showCustom1", "custom1Enlarged" } },
        { QStringLiteral("custom2"), { "showCustom2", "custom2Enlarged" } },
        { QStringLiteral("custom3"), { "showCustom3", "custom3Enlarged" } } };
    return flags.value(textKey, { "", "" });
}

QToolButton* formatButton(const QString& text, const QString& tip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    // The button shows a letter; a screen reader says what it does.
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    return button;
}

const QList<std::pair<QString, QColor>>& textColours()
{
    static const QList<std::pair<QString, QColor>> colours { { QStringLiteral("Black"), Qt::black },
        { QStringLiteral("Red"), QColor(192, 32, 32) }, { QStringLiteral("Orange"), QColor(224, 120, 0) },
        { QStringLiteral("Green"), QColor(32, 128, 48) }, { QStringLiteral("Blue"), QColor(32, 80, 192) },
        { QStringLiteral("Purple"), QColor(128, 48, 160) } };
    return colours;
}

} // namespace

FieldEditor::FieldEditor(const QString& textKey, QWidget* parent)
    : QWidget(parent)
    , m_textKey(textKey)
    , m_showKey(QString::fromLatin1(flagsOf(textKey).show))
    , m_expandedKey(QString::fromLatin1(flagsOf(textKey).expanded))
    , m_expand(new QToolButton(this))
    , m_title(new QLineEdit(this))
    , m_show(new QCheckBox(QStringLiteral("Show"), this))
    , m_text(new RichTextArea(this))
{
    setObjectName(textKey);
    m_expand->setCheckable(true);
    m_expand->setAutoRaise(true);
    m_expand->setToolTip(QStringLiteral("Expand or collapse this field for every lesson"));
    m_title->setFrame(false);
    m_title->setPlaceholderText(QStringLiteral("Field title"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_show->setToolTip(QStringLiteral("Show this field in the planning views"));
    m_text->setMinimumHeight(60);
    UndoStepName::setForToggle(m_expand, QStringLiteral("Expand Field"), QStringLiteral("Collapse Field"));
    UndoStepName::setForToggle(m_show, QStringLiteral("Show Field"), QStringLiteral("Hide Field"));
    UndoStepName::set(m_title, QStringLiteral("Rename Field"));

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(m_expand);
    header->addWidget(m_title, 1);
    header->addWidget(m_show);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(2);
    layout->addLayout(header);
    m_formatBar = buildFormatBar();
    layout->addWidget(m_formatBar);
    layout->addWidget(m_text, 1);

    connect(m_expand, &QToolButton::toggled, this, [this](bool on) { setYearFlag(m_expandedKey, on); });
    connect(m_show, &QCheckBox::toggled, this, [this](bool on) { setYearFlag(m_showKey, on); });
    connect(m_title, &QLineEdit::editingFinished, this, &FieldEditor::titleEdited);
    connect(m_text, &QTextEdit::textChanged, this, &FieldEditor::writeText);
    connect(m_text, &QTextEdit::currentCharFormatChanged, this, [this](const QTextCharFormat& format) {
        const QSignalBlocker quiet(m_size);
        m_size->setCurrentText(QString::number(qRound(format.font().pointSizeF())));
    });
    setLesson(nullptr);
}

QWidget* FieldEditor::buildFormatBar()
{
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bold = formatButton(QStringLiteral("B"), QStringLiteral("Bold"), bar);
    auto* italic = formatButton(QStringLiteral("I"), QStringLiteral("Italic"), bar);
    auto* underline = formatButton(QStringLiteral("U"), QStringLiteral("Underline"), bar);
    auto* bullets = formatButton(RichTextArea::bullet().trimmed(), QStringLiteral("Bulleted list"), bar);
    QFont font = bold->font();
    font.setBold(true);
    bold->setFont(font);
    font.setBold(false);
    font.setItalic(true);
    italic->setFont(font);
    font.setItalic(false);
    font.setUnderline(true);
    underline->setFont(font);
    connect(bold, &QToolButton::clicked, m_text, &RichTextArea::toggleBold);
    connect(italic, &QToolButton::clicked, m_text, &RichTextArea::toggleItalic);
    connect(underline, &QToolButton::clicked, m_text, &RichTextArea::toggleUnderline);
    connect(bullets, &QToolButton::clicked, m_text, &RichTextArea::toggleBullets);

    m_size = new QComboBox(bar);
    m_size->setToolTip(QStringLiteral("Font size"));
    m_size->setAccessibleName(tr("Font size"));
    UndoStepName::set(m_size, QStringLiteral("Change Font Size"));
    for (int size : { 9, 10, 11, 12, 14, 16, 18, 24, 36 })
        m_size->addItem(QString::number(size));
    connect(m_size, &QComboBox::textActivated, this,
        [this](const QString& size) { m_text->setPointSize(size.toDouble()); });

    auto* colour = formatButton(QStringLiteral("A"), QStringLiteral("Text colour"), bar);
    colour->setPopupMode(QToolButton::InstantPopup);
    auto* colours = new QMenu(colour);
    UndoStepName::set(colours, QStringLiteral("Change Text Colour"));
    for (const auto& [name, value] : textColours()) {
        QPixmap swatch(12, 12);
        swatch.fill(value);
        QAction* action = colours->addAction(QIcon(swatch), name);
        connect(action, &QAction::triggered, this, [this, chosen = value] { m_text->setTextColour(chosen); });
    }
    colour->setMenu(colours);

    for (QWidget* widget : std::initializer_list<QWidget*> { bold, italic, underline, bullets, m_size, colour })
        layout->addWidget(widget);
    layout->addStretch();
    return bar;
}

void FieldEditor::setLesson(Lesson* lesson)
{
    // The lesson shown already, with the text it shows: reading a long rich
    // text again would cost more than a frame's share, as after a bump that
    // changed the lesson (the editor reloaded then) and then selected it.
    const bool showsItsText = lesson && lesson == m_lesson && lesson->value<QByteArray>(m_textKey) == m_written;
    m_lesson = lesson;
    m_year = lesson ? lesson->year() : nullptr;
    m_watch.watch(lesson, [this] { lessonTextChanged(); });
    loadYearSettings();
    if (!showsItsText)
        loadText();
}

bool FieldEditor::shouldBeVisible() const
{
    return m_year && m_year->value<bool>(m_expandedKey);
}

void FieldEditor::showEvent(QShowEvent* event)
{
    // Another editor of the same field may have changed the year's settings
    // while this one was hidden.
    loadYearSettings();
    QWidget::showEvent(event);
}

void FieldEditor::loadYearSettings()
{
    const QSignalBlocker quietExpand(m_expand);
    const QSignalBlocker quietShow(m_show);
    const bool expanded = shouldBeVisible() && m_lesson;
    m_expand->setChecked(shouldBeVisible());
    m_expand->setArrowType(shouldBeVisible() ? Qt::DownArrow : Qt::RightArrow);
    m_show->setChecked(m_year && m_year->value<bool>(m_showKey));
    if (!m_title->hasFocus())
        m_title->setText(m_year ? m_year->fieldTitle(m_textKey) : QString());
    nameControls();
    for (QWidget* widget :
        { static_cast<QWidget*>(m_expand), static_cast<QWidget*>(m_title), static_cast<QWidget*>(m_show) })
        widget->setEnabled(m_year != nullptr);
    m_formatBar->setVisible(expanded);
    m_text->setVisible(expanded);
    // A collapsed field gives its height to the expanded ones.
    setSizePolicy(QSizePolicy::Preferred, expanded ? QSizePolicy::Expanding : QSizePolicy::Maximum);
}

// Six editors sit side by side: each control says which field it belongs
// to, by the name the teacher gave the field.
void FieldEditor::nameControls()
{
    const QString title = m_year ? m_year->fieldTitle(m_textKey).trimmed() : QString();
    const QString field = title.isEmpty() ? tr("Untitled field") : title;
    m_text->setAccessibleName(field);
    m_text->setAccessibleDescription(tr("The lesson's text for this field"));
    m_title->setAccessibleName(tr("Name of the %1 field").arg(field));
    m_title->setAccessibleDescription(tr("Renames the field in every lesson of the year"));
    m_expand->setAccessibleName(tr("Expand %1").arg(field));
    m_expand->setAccessibleDescription(m_expand->toolTip());
    m_show->setAccessibleName(tr("Show %1 in the planning views").arg(field));
}

void FieldEditor::loadText()
{
    const QSignalBlocker quiet(m_text);
    m_written = m_lesson ? m_lesson->value<QByteArray>(m_textKey) : QByteArray();
    if (m_written.isEmpty())
        m_text->clear();
    else
        RtfReader::read(m_written, m_text->document());
    m_text->document()->clearUndoRedoStacks();
}

void FieldEditor::writeText()
{
    if (!m_lesson || m_lesson->isDeleted())
        return;
    m_written = RtfWriter::write(*m_text->document());
    m_lesson->setValue(m_textKey, m_written);
}

void FieldEditor::lessonTextChanged()
{
    // Text put into the lesson from elsewhere (a paste, a clear) replaces
    // what the editor shows; the editor's own keystrokes do not come back.
    if (m_lesson->value<QByteArray>(m_textKey) != m_written)
        loadText();
}

void FieldEditor::setYearFlag(const QString& key, bool on)
{
    if (!m_year)
        return;
    m_year->setValue(key, on);
    loadYearSettings();
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, nullptr);
}

void FieldEditor::titleEdited()
{
    if (!m_year || m_title->text() == m_year->fieldTitle(m_textKey))
        return;
    m_year->setValue(m_textKey + QStringLiteral("Title"), m_title->text());
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, nullptr);
}
