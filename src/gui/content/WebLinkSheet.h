#pragma once

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLineEdit;

// Asks for a web address. The add button stays disabled until something
// usable is typed; an address without a scheme gets "http://" when added.
class WebLinkSheet : public QDialog {
public:
    explicit WebLinkSheet(QWidget* parent = nullptr);

    // The typed address, or nothing when cancelled.
    static std::optional<QString> ask(QWidget* parent);

    QLineEdit* addressEdit() const { return m_address; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    void updateButton();

    QLineEdit* m_address = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
