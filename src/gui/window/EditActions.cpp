#include "gui/window/EditActions.h"

#include "content/ContentNotifications.h"
#include "foundation/notify/NotificationCenter.h"
#include "gui/window/UndoStepName.h"
#include "model/ModelNotifications.h"
#include "planning/PlanningNotifications.h"
#include "store/ObjectContext.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

namespace {

bool isTextField(const QObject* object)
{
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QTextEdit*>(object)
        || qobject_cast<const QPlainTextEdit*>(object);
}

QWidget* focusedTextField()
{
    QWidget* focus = QApplication::focusWidget();
    return isTextField(focus) ? focus : nullptr;
}

const QString typingStepName = QStringLiteral("Typing");

// Typing in a field that says what its text is ("Rename Course") is named so.
QString typingNameOf(const QWidget* field)
{
    const QString name = UndoStepName::of(field);
    return name.isEmpty() ? typingStepName : name;
}

// How long to wait before looking again while an alert's own event loop
// runs inside a command.
constexpr int nestedLoopRetry = 50;

} // namespace

EditActions::EditActions(QWidget& window)
    : QObject(&window)
    , m_window(window)
    , m_eventEnd(new QTimer(this))
    , m_pause(new QTimer(this))
{
    m_undo = new QAction(QStringLiteral("Undo"), this);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(QStringLiteral("Redo"), this);
    m_redo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    connect(m_undo, &QAction::triggered, this, &EditActions::undo);
    connect(m_redo, &QAction::triggered, this, &EditActions::redo);
    // The text fields answer these keys themselves; as window shortcuts the
    // keys would be taken from them, so the menu only shows them.
    auto textCommand = [this](const QString& name, QKeySequence::StandardKey key, const char* slot) {
        auto* action
            = new QAction(name + QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText), this);
        connect(action, &QAction::triggered, this, [this, slot] { forwardToFocusedText(slot); });
        return action;
    };
    m_cut = textCommand(QStringLiteral("Cut"), QKeySequence::Cut, "cut");
    m_copy = textCommand(QStringLiteral("Copy"), QKeySequence::Copy, "copy");
    m_paste = textCommand(QStringLiteral("Paste"), QKeySequence::Paste, "paste");
    m_selectAll = textCommand(QStringLiteral("Select All"), QKeySequence::SelectAll, "selectAll");

    m_eventEnd->setSingleShot(true);
    connect(m_eventEnd, &QTimer::timeout, this, &EditActions::endOfEvent);
    m_pause->setSingleShot(true);
    m_pause->setInterval(typingPause);
    connect(m_pause, &QTimer::timeout, this, &EditActions::endTyping);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old && old == m_typingField)
            endTyping();
        updateStates();
    });
    qApp->installEventFilter(this);
    updateStates();
}

EditActions::~EditActions()
{
    if (m_history)
        m_history->setObserver({});
}

QMenu* EditActions::createMenu(QWidget* parent)
{
    auto* menu = new QMenu(QStringLiteral("&Edit"), parent);
    menu->addActions({ m_undo, m_redo });
    menu->addSeparator();
    menu->addActions({ m_cut, m_copy, m_paste });
    menu->addSeparator();
    menu->addAction(m_selectAll);
    connect(menu, &QMenu::aboutToShow, this, &EditActions::updateStates);
    return menu;
}

void EditActions::bind(ObjectContext& context)
{
    m_history = &context.undoHistory();
    m_history->setObserver([this] { historyChanged(); });
    updateStates();
}

QString EditActions::stepName(const QString& text)
{
    QString name = text.section(QLatin1Char('\t'), 0, 0);
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    name.remove(QChar(0x2026));
    name.remove(QStringLiteral("..."));
    return name.trimmed();
}

void EditActions::undo()
{
    if (!m_history)
        return;
    endTyping();
    if (m_history->undo())
        showRestoredState();
}

void EditActions::redo()
{
    if (!m_history)
        return;
    endTyping();
    if (m_history->redo())
        showRestoredState();
}

void EditActions::showRestoredState() const
{
    NotificationCenter& center = NotificationCenter::defaultCenter();
    for (const QString& name : { PlanningNotifications::courseAdded, PlanningNotifications::planningModesNeedRefresh,
             ModelNotifications::refreshPlanningModes, PlanningNotifications::coursesToDrawChanged,
             PlanningNotifications::refreshCourseSourceList, ModelNotifications::newUnitAdded,
             ContentNotifications::standardAdded })
        center.post(name);
}

void EditActions::updateStates()
{
    const bool canUndo = m_history && m_history->canUndo();
    const bool canRedo = m_history && m_history->canRedo();
    // Typing goes on in a step that takes its name when it ends.
    const QString undoName = m_typingField ? typingNameOf(m_typingField) : canUndo ? m_history->undoName() : QString();
    m_undo->setEnabled(canUndo);
    m_undo->setText(canUndo ? QStringLiteral("Undo ") + undoName : QStringLiteral("Undo"));
    m_redo->setEnabled(canRedo);
    m_redo->setText(canRedo ? QStringLiteral("Redo ") + m_history->redoName() : QStringLiteral("Redo"));
    const bool text = focusedTextField() != nullptr;
    for (QAction* action : { m_cut, m_copy, m_paste, m_selectAll })
        action->setEnabled(text);
}

void EditActions::forwardToFocusedText(const char* slot) const
{
    if (QWidget* field = focusedTextField())
        QMetaObject::invokeMethod(field, slot);
}

void EditActions::historyChanged()
{
    updateStates();
    if (m_history->hasOpenLooseStep() && !m_typingField && !m_eventEnd->isActive()) {
        m_eventLoopLevel = QThread::currentThread()->loopLevel();
        m_eventEnd->start(0);
    }
}

void EditActions::endOfEvent()
{
    if (!m_history || !m_history->hasOpenLooseStep())
        return;
    if (QThread::currentThread()->loopLevel() > m_eventLoopLevel) {
        m_eventEnd->start(nestedLoopRetry);
        return;
    }
    QWidget* field = focusedTextField();
    if (field && field == m_keyTarget) {
        m_typingField = field;
        m_pause->start();
        updateStates();
        return;
    }
    m_history->closeOpenStep(m_commandName);
    m_commandName.clear();
}

void EditActions::endTyping()
{
    m_pause->stop();
    if (!m_typingField)
        return;
    const QString name = typingNameOf(m_typingField);
    m_typingField = nullptr;
    if (m_history)
        m_history->closeOpenStep(name);
}

bool EditActions::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Shortcut:
    case QEvent::Drop:
        if (belongsToWindow(watched) && !isPropagated(watched, event))
            inputBegins(watched, event);
        break;
    case QEvent::MouseButtonRelease:
        // A menu item is chosen as the button comes up.
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && belongsToWindow(menu)) {
            if (const QAction* chosen = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
                m_commandName = menuCommandName(menu, chosen);
        }
        break;
    default:
        break;
    }
    return false;
}

// A key a field does not take (Return after its text is entered) goes on to
// the field's parents as the same event: still the same input, named by the
// field that took it first.
bool EditActions::isPropagated(const QObject* receiver, const QEvent* event) const
{
    if (event != m_lastInput || !m_lastReceiver)
        return false;
    for (const QObject* up = m_lastReceiver->parent(); up; up = up->parent()) {
        if (up == receiver)
            return true;
    }
    return false;
}

void EditActions::inputBegins(QObject* receiver, QEvent* event)
{
    m_lastInput = event;
    m_lastReceiver = receiver;
    const bool typing = event->type() == QEvent::KeyPress && isTextField(receiver);
    if (m_typingField && !(typing && receiver == m_typingField))
        endTyping();
    if (typing && m_typingField)
        m_pause->start();
    m_keyTarget = typing ? static_cast<QWidget*>(receiver) : nullptr;
    // An alert asks in the middle of a command, which keeps its own name.
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (widget && qobject_cast<const QMessageBox*>(widget->window()))
        return;
    m_commandName = event->type() == QEvent::Drop ? dropNameFor(receiver) : commandNameFor(receiver);
}

// A menu of choices for one thing (the colours of a text) names the change
// after the thing; a menu of commands after the command.
QString EditActions::menuCommandName(const QMenu* menu, const QAction* chosen)
{
    const QString named = UndoStepName::of(menu);
    return named.isEmpty() ? stepName(chosen->text()) : named;
}

QString EditActions::dropNameFor(const QObject* receiver)
{
    const QString named = UndoStepName::ofDrop(receiver);
    return named.isEmpty() ? QStringLiteral("Drop") : named;
}

bool EditActions::belongsToWindow(const QObject* object) const
{
    for (const QObject* ancestor = object; ancestor; ancestor = ancestor->parent()) {
        if (ancestor == &m_window)
            return true;
    }
    return false;
}

// What the user chose: a control that names its change, a menu item or its
// key, a button, or, inside a sheet, the sheet's command.
QString EditActions::commandNameFor(QObject* receiver) const
{
    if (const auto* action = qobject_cast<QAction*>(receiver))
        return stepName(action->text());
    if (const auto* menu = qobject_cast<QMenu*>(receiver))
        return menu->activeAction() ? menuCommandName(menu, menu->activeAction()) : QString();
    if (QString named = UndoStepName::of(receiver); !named.isEmpty())
        return named;
    // A field that keeps its text until it loses the focus changes the
    // record as Tab leaves it, in the same key's event.
    if (isTextField(receiver))
        return typingStepName;
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget)
        return {};
    if (const auto* sheet = qobject_cast<const QDialog*>(widget->window()); sheet && sheet != &m_window)
        return stepName(sheet->windowTitle());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return stepName(button->text().isEmpty() ? button->toolTip() : button->text());
    return {};
}
