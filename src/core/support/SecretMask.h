#pragma once

#include <QString>

// The scans that hide secrets daemons and their libraries write into logs,
// applied in this order, each replacing the secret alone so that the line
// around it stays readable:
//  1. "authorization" (any case), an optional quote, ":" or "=", then its
//     value up to a quote, a backslash or the line's end;
//  2. a key ending in "password", "passwd", "passphrase", "secret", "token",
//     "apikey", "api_key", "api-key", "access_key", "access-key",
//     "private_key", "private-key", "credential" or "credentials" (any case),
//     an optional quote, ":" or "=", then its value: up to the closing quote
//     when quoted, otherwise up to white space or one of " ' \ & , ;
//  3. "Bearer" (any case, not ending a longer word), blanks, then a token of
//     at least 8 characters;
// each value becoming "<redacted>"; then
//  4. JSON web tokens ("eyJ…" and two dot-separated base64url parts) as
//     "<redacted-jwt>";
//  5. API keys (sk-, sk_, pk_, rk_, ghp_, gho_, ghu_, ghs_, ghr_,
//     github_pat_, xoxb-, xoxp-, xoxa-, xoxr-, xoxs-, AKIA or AIza, then at
//     least 12 of A-Z a-z 0-9 _ -, not preceded by one of those) as
//     "<redacted-key>".
// Letters are matched in ASCII only. Every scan walks forward and looks at
// each character a bounded number of times.
namespace SecretMask {

QString apply(QString text);

} // namespace SecretMask
