#pragma once

#include "content/LessonAttachmentsController.h"
#include "content/WebLinkTitler.h"
#include "gui/views/LessonBoxHandler.h"

#include <QPointer>

#include <memory>

class DocumentWindow;
class LessonContentController;
class QMenu;

// The document window's answer to drops onto a lesson box and to its context
// menu. A lesson of this document, one of its units, text holding a lesson
// dictionary, files, or web addresses may be dropped; the menu offers the
// Lesson and Day menus' commands for the lesson just selected.
class LessonBoxCommands : public LessonBoxHandler {
public:
    explicit LessonBoxCommands(DocumentWindow& window);
    ~LessonBoxCommands() override;

    bool accepts(const QMimeData& data) const override;
    bool canDrop(const Lesson& target, const QMimeData& data) const override;
    void drop(Lesson& target, const QMimeData& data) override;
    void showMenu(const QPoint& globalPosition) override;

    // The menu last shown, while it is open.
    QMenu* menu() const { return m_menu; }

private:
    static bool holdsLessonDictionary(const QMimeData& data);
    QMenu* createMenu();

    DocumentWindow& m_window;
    std::unique_ptr<LessonContentController> m_content;
    WebLinkTitler m_titler;
    LessonAttachmentsController m_attachments { &m_titler };
    QPointer<QMenu> m_menu;
};
