#pragma once

#include <QString>

#include <optional>
#include <utility>

// A value, or the HTTP status and the short reason a request is refused with.
template <typename T> class Outcome {
public:
    Outcome(T value) // NOLINT(google-explicit-constructor): a value converts implicitly
        : m_value(std::move(value))
    { }

    static Outcome refused(int status, QString reason)
    {
        Outcome o;
        o.m_status = status;
        o.m_reason = std::move(reason);
        return o;
    }
    template <typename U> static Outcome refusedAs(const Outcome<U>& other)
    {
        return refused(other.status(), other.reason());
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *m_value; }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }
    int status() const { return m_status; }
    const QString& reason() const { return m_reason; }

private:
    Outcome() = default;

    std::optional<T> m_value;
    int m_status = 200;
    QString m_reason;
};
