#pragma once

#include <QString>

enum class FormStyle { Stacked, Inline };
enum class ButtonStyle { Primary, Secondary, Danger };

// Pieces of the pages' forms. Every form posts, and open() puts the form
// token in it, so no form of the service can be sent without one.
namespace FormHtml {
// "<form method="post" ...>" with the hidden csrf_token field; close with "</form>".
QString open(const QString& action, const QString& csrfToken, FormStyle style = FormStyle::Stacked);
QString hidden(const QString& name, const QString& value);
// A labelled input; type is "text" or "password".
QString input(const QString& label, const QString& name, const QString& type, const QString& value = {},
    const QString& autocomplete = {});
// The checkbox a destructive form must have ticked (name "confirm", value "yes").
QString confirmation(const QString& label);
QString button(const QString& label, ButtonStyle style = ButtonStyle::Primary, const QString& name = {},
    const QString& value = {});
} // namespace FormHtml
