#pragma once

#include <QString>

#include <optional>
#include <utility>

// A value or the reason there is none. Expected failures (bad input, a file
// that cannot be read) travel as values, never as exceptions.
template <typename T> class Result {
public:
    Result(T value) // NOLINT(google-explicit-constructor): a value converts implicitly
        : m_value(std::move(value))
    { }

    static Result failure(QString error)
    {
        Result r;
        r.m_error = std::move(error);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }

    const QString& error() const { return m_error; }

private:
    Result() = default;

    std::optional<T> m_value;
    QString m_error;
};

// For operations that produce nothing but can fail.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(QString error)
    {
        Status s;
        s.m_error = std::move(error);
        s.m_failed = true;
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    Status() = default;

    QString m_error;
    bool m_failed = false;
};
