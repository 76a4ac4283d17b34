#pragma once

#include <QString>

#include <optional>

// Password hashes and random tokens (libsodium).
namespace Secrets {

// Must run once before any other call; false when libsodium cannot start.
bool initialise();

// 32 random bytes as 64 hexadecimal digits: session cookies, form and poll tokens.
QString randomToken();
// What the database keeps of a token, so that a copy of the database does not
// hand out live sessions.
QString tokenDigest(const QString& token);

// Argon2id in libsodium's self-describing string form (salt and costs inside).
std::optional<QString> hashPassword(const QString& password);
bool verifyPassword(const QString& hash, const QString& password);

} // namespace Secrets
